#include "odbc/error.h"

#include <utility>

namespace zqt::odbc {
namespace {

// The records' texts, one a line; `fallback` when that is empty.
std::string Joined(const std::vector<Diagnostic>& records, std::string_view fallback) {
  std::string text;
  for (const Diagnostic& record : records) {
    if (&record != &records.front())
      text += '\n';
    text += record.text;
  }
  return text.empty() ? std::string(fallback) : text;
}

}  // namespace

Error::Error(std::vector<Diagnostic> records, std::string_view fallback)
    : zqt::Error(Joined(records, fallback)), records_(std::move(records)) {}

std::string_view Error::state() const {
  return records_.empty() ? std::string_view() : records_.front().state;
}

}  // namespace zqt::odbc
