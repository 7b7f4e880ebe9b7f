#pragma once
// zqt::Query over the host's ODBC connection: each Open runs one SELECT on a statement of its own, and the
// cursor it returns reads the named columns as text.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/query.h"

namespace zqt {

class OdbcQuery final : public Query {
 public:
  // Rows per fetch for a log: a block fetch where the driver takes row arrays.
  static constexpr std::size_t kBlockRows = 256;

  // `component` prefixes the query's own messages ("LogQuery"). `connection` is the host's SQLHDBC as a
  // number: the record's 32-bit Connection field widens to it unchanged; 0 means no connection. With
  // block_rows above 1, rows are fetched that many at a time into bound buffers where the driver takes row
  // arrays; otherwise, and for a driver that takes none, row by row with SQLGetData.
  OdbcQuery(std::string component, std::uintptr_t connection, std::size_t block_rows = kBlockRows);

  // Executes the statement and fetches the first row (or block) before it returns.
  std::unique_ptr<RowCursor> Open(std::string_view sql, std::span<const std::string_view> columns) override;

 private:
  std::string component_;
  std::uintptr_t connection_;
  std::size_t block_rows_;
};

}  // namespace zqt
