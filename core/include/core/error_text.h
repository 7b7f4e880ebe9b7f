#pragma once
// How an error's text reaches the operator in the error box.

#include <string>
#include <string_view>

namespace zqt {

// The error's text, with a full stop appended when it is not empty and its last character's code is above
// ".".
std::string ErrorBoxText(std::string_view message);

}  // namespace zqt
