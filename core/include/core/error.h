#pragma once
// The module's error: an exception whose what() is the exact text the operator sees.

#include <stdexcept>
#include <string>

namespace zqt {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace zqt
