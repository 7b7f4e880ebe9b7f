#pragma once
// The log readers' and country-file parser's error: a file that cannot be read or a country file that does
// not parse. Its text names the file and, for a parse fault, the line.

#include <stdexcept>
#include <string>

namespace zqt::log_files {

class LogFormatError : public std::runtime_error {
 public:
  explicit LogFormatError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace zqt::log_files
