#pragma once
// A failed ODBC call as the module raises it: the driver's diagnostic records, each with its SQLSTATE.

#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"

namespace zqt::odbc {

// One diagnostic record the driver left on a handle.
struct Diagnostic {
  std::string state;  // the five-character SQLSTATE, such as "42S02"
  std::string text;   // the driver's message
};

// what() is the records' texts joined by a newline, the text the operator sees, or `fallback` when the driver
// left no text.
class Error : public zqt::Error {
 public:
  Error(std::vector<Diagnostic> records, std::string_view fallback);

  // The first record's SQLSTATE; "" when the driver left no record.
  std::string_view state() const;
  const std::vector<Diagnostic>& records() const { return records_; }

 private:
  std::vector<Diagnostic> records_;
};

}  // namespace zqt::odbc
