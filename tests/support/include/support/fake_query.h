#pragma once
// A log table's result behind the query interface: rows of the seven log columns, columns that may be
// missing, and a call that fails as a lost connection makes it fail. It counts what the rebuild asks of it.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/query.h"
#include "core/rebuild.h"

namespace zqt::test {

// A row's texts in kLogColumns order.
using LogRow = std::array<std::string, kLogColumns.size()>;

inline constexpr char kLostConnection[] = "server closed the connection unexpectedly";

class FakeQuery final : public Query {
 public:
  // The result lacks the columns `missing` names: bit i for kLogColumns[i].
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

// A row as a host logs it, with the report "599".
inline LogRow Logged(std::string call, std::string band, std::string mode, std::string continent,
                     std::string main_prefix, std::string dxcc) {
  return {"599",           std::move(dxcc), std::move(main_prefix), std::move(call),
          std::move(band), std::move(mode), std::move(continent)};
}

}  // namespace zqt::test
