#pragma once
// A log table's result behind the query interface: rows of the seven log columns, columns that may be
// missing, and a call that fails as a lost connection makes it fail. It counts what the rebuild asks of it.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/query.h"
#include "support/log_columns.h"

namespace zqt::test {

inline constexpr char kLostConnection[] = "server closed the connection unexpectedly";

class FakeQuery final : public Query {
 public:
  // The result lacks the columns `missing` names: bit i for kModuleColumns[i].
  explicit FakeQuery(std::vector<LogRow> rows, std::uint8_t missing = 0)
      : rows_(std::move(rows)), missing_(missing) {}

  // The `call`-th call of Open and of a cursor's Next from now on (from 1) throws kLostConnection; 0 for
  // none.
  void FailAt(std::uint32_t call) {
    fail_at_ = call;
    calls_ = 0;
  }

  // Raises "LogQuery: Field '<name>' not found" at the first row for the first name the result lacks, as
  // the ODBC query does.
  std::unique_ptr<RowCursor> Open(std::string_view sql, std::span<const std::string_view> columns) override;

  const std::vector<LogRow>& Rows() const { return rows_; }

  std::string sql;  // the statement last opened
  int opens = 0;
  int open_cursors = 0;
  std::size_t rows_read = 0;  // rows the last cursor yielded

 private:
  class Cursor;
  void Call();

  std::vector<LogRow> rows_;
  std::uint8_t missing_;
  std::uint32_t fail_at_ = 0;
  std::uint32_t calls_ = 0;
};

}  // namespace zqt::test
