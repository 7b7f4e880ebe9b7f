#include "odbc/odbc_query.h"

#include <utility>

#include "core/error.h"
#include "result_cursor.h"

namespace zqt {

OdbcQuery::OdbcQuery(std::string component, std::uintptr_t connection, std::size_t block_rows)
    : component_(std::move(component)), connection_(connection), block_rows_(block_rows) {}

std::unique_ptr<RowCursor> OdbcQuery::Open(std::string_view sql, std::span<const std::string_view> columns) {
  if (connection_ == 0)
    throw Error("Missing Connection or ConnectionString");
  return std::make_unique<odbc::ResultCursor>(reinterpret_cast<SQLHDBC>(connection_), sql, columns,
                                              component_, block_rows_);
}

}  // namespace zqt
