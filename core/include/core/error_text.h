#pragma once
// How an error reaches the operator: the box text and its caption.

#include <string>
#include <string_view>

namespace zqt {

// The error's text, with a full stop appended when it is not empty and its last character's code is above
// ".".
std::string ErrorBoxText(std::string_view message);

// The application title from the executable's path: the file name without directory and without everything
// from its first ".", every character after the first in lower case ("C:\Logs\LOGGER.new.exe" gives
// "Logger").
std::string ApplicationTitle(std::string_view exe_path);

}  // namespace zqt
