#include "rows_query.h"

#include <algorithm>

#include "base/ascii_case.h"
#include "core/error.h"
#include "require.h"

namespace zqt::fuzzing {

void RowsQuery::Open() {
  ++opens_;
  at_ = 0;
  read_.assign(rows_.size(), 0);
  // A statement that fails on executing may still be allocated: only Close frees it.
  open_ = true;
  Call();
}

std::string RowsQuery::FieldAsText(std::string_view name) {
  Require(open_ && at_ < rows_.size(), "a field is read only on a row of the open query");
  Call();
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    if (EqualsIgnoringAsciiCase(kColumns[i], name) && (missing_ >> i & 1) == 0) {
      read_[at_] = static_cast<std::uint8_t>(read_[at_] | 1u << i);
      return rows_[at_][i];
    }
  }
  throw Error("LogQuery: Field '" + std::string(name) + "' not found");
}

void RowsQuery::Next() {
  Require(open_ && at_ < rows_.size(), "Next moves only on a row of the open query");
  Call();
  ++at_;
}

std::size_t RowsQuery::RowsRead() const {
  const auto whole = static_cast<std::size_t>(
      std::find_if(read_.begin(), read_.end(), [](std::uint8_t r) { return r != kAllColumns; }) -
      read_.begin());
  Require(std::all_of(read_.begin() + static_cast<std::ptrdiff_t>(std::min(whole + 1, read_.size())),
                      read_.end(), [](std::uint8_t r) { return r == 0; }),
          "rows are read one after the other");
  return whole;
}

void RowsQuery::Call() {
  if (++calls_ == fail_at_)
    throw Error(kLostConnection);
}

}  // namespace zqt::fuzzing
