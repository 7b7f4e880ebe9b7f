#pragma once
// A log table's result behind the query interface: rows given in any order, columns that may be missing, and
// a call that fails as a lost connection makes it fail.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/query.h"

namespace zqt::fuzzing {

// The columns in the order the rebuild reads them.
inline constexpr std::array<std::string_view, 7> kColumns = {
    "QSOReportRecived", "DXCCPrefix", "MainPrefix", "CallSign", "DigiBand", "QSOMode", "Continent"};
inline constexpr std::uint8_t kAllColumns = 0x7F;
inline constexpr char kLostConnection[] = "server closed the connection unexpectedly";

using Row = std::array<std::string, kColumns.size()>;

// A log table's result behind the query interface, in the order given, failing at its chosen call.
class RowsQuery final : public Query {
 public:
  // `rows` must outlive the query.
  RowsQuery(const std::vector<Row>& rows, std::uint8_t missing, bool open)
      : rows_(rows), missing_(missing), open_(open) {}

  // The `call`-th call of Open, FieldAsText and Next from now on (from 1) throws; 0 for none.
  void FailAt(std::uint32_t call) {
    fail_at_ = call;
    calls_ = 0;
  }

  bool Active() const override { return open_; }
  void Close() override { open_ = false; }
  void SetSql(std::string sql) override { sql_ = std::move(sql); }
  void Open() override;
  bool Eof() const override { return !open_ || at_ >= rows_.size(); }
  // Throws "LogQuery: Field '<name>' not found" for a missing column, as the ODBC query does.
  std::string FieldAsText(std::string_view name) override;
  void Next() override;

  const std::string& Sql() const { return sql_; }
  int Opens() const { return opens_; }
  // How many rows had all seven cells read since the last Open; those come first, and at most one row after
  // them was read in part.
  std::size_t RowsRead() const;

 private:
  void Call();

  const std::vector<Row>& rows_;
  std::uint8_t missing_;
  bool open_;
  std::string sql_;
  std::uint32_t fail_at_ = 0;
  std::uint32_t calls_ = 0;
  int opens_ = 0;
  std::size_t at_ = 0;
  std::vector<std::uint8_t> read_;
};

}  // namespace zqt::fuzzing
