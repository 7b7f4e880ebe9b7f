#include "bound_block.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "odbc/diagnostics.h"

namespace zqt::odbc {
namespace {

SQLPOINTER Number(SQLULEN value) {
  return reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(value));
}

}  // namespace

BoundBlock::BoundBlock(BindKey, SQLHSTMT statement, std::size_t columns, std::size_t rows)
    : statement_(statement),
      rows_(rows),
      text_(columns * rows * kCell),
      lengths_(columns * rows),
      status_(rows) {}

std::unique_ptr<BoundBlock> BoundBlock::Bind(SQLHSTMT statement, const std::vector<std::size_t>& columns,
                                             std::size_t rows) {
  if (rows <= 1 || columns.empty())
    return nullptr;
  if (!SQL_SUCCEEDED(SQLSetStmtAttr(statement, SQL_ATTR_ROW_ARRAY_SIZE, Number(rows), 0)))
    return nullptr;
  // A driver may put a size of its own in place of the one asked for (01S02).
  SQLULEN size = 0;
  if (!SQL_SUCCEEDED(SQLGetStmtAttr(statement, SQL_ATTR_ROW_ARRAY_SIZE, &size, 0, nullptr)) || size <= 1) {
    SQLSetStmtAttr(statement, SQL_ATTR_ROW_ARRAY_SIZE, Number(1), 0);
    return nullptr;
  }
  auto block = std::make_unique<BoundBlock>(BindKey{}, statement, columns.size(), size);
  Check(SQLSetStmtAttr(statement, SQL_ATTR_ROWS_FETCHED_PTR, &block->fetched_, 0), SQL_HANDLE_STMT, statement,
        "Cannot set up a block fetch");
  Check(SQLSetStmtAttr(statement, SQL_ATTR_ROW_STATUS_PTR, block->status_.data(), 0), SQL_HANDLE_STMT,
        statement, "Cannot set up a block fetch");
  for (std::size_t slot = 0; slot < columns.size(); ++slot) {
    Check(SQLBindCol(statement, static_cast<SQLUSMALLINT>(columns[slot] + 1), SQL_C_CHAR,
                     block->text_.data() + slot * block->rows_ * kCell, static_cast<SQLLEN>(kCell),
                     block->lengths_.data() + slot * block->rows_),
          SQL_HANDLE_STMT, statement, "Cannot bind a column of the result");
  }
  return block;
}

BoundBlock::~BoundBlock() {
  SQLFreeStmt(statement_, SQL_UNBIND);
  SQLSetStmtAttr(statement_, SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
  SQLSetStmtAttr(statement_, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
  SQLSetStmtAttr(statement_, SQL_ATTR_ROW_ARRAY_SIZE, Number(1), 0);
}

bool BoundBlock::Fetch() {
  // Marks that show how many rows came should the driver not report the count.
  fetched_ = 0;
  std::fill(status_.begin(), status_.end(), static_cast<SQLUSMALLINT>(SQL_ROW_NOROW));
  const SQLRETURN result = SQLFetch(statement_);
  if (result == SQL_NO_DATA) {
    fetched_ = 0;
    return false;
  }
  // SQL_SUCCESS_WITH_INFO: a value longer than its buffer was cut (01004), which keeps what is needed.
  Check(result, SQL_HANDLE_STMT, statement_, "Cannot fetch a row of the result");
  if (fetched_ == 0) {
    fetched_ = static_cast<SQLULEN>(
        std::count_if(status_.begin(), status_.end(), [](SQLUSMALLINT s) { return s != SQL_ROW_NOROW; }));
  }
  fetched_ = std::clamp<SQLULEN>(fetched_, 1, rows_);
  return true;
}

void BoundBlock::CheckRow(std::size_t row) const {
  if (status_[row] == SQL_ROW_ERROR)
    ThrowDiagnostics(SQL_HANDLE_STMT, statement_, "Cannot fetch a row of the result");
}

std::string_view BoundBlock::Value(std::size_t slot, std::size_t row) const {
  const SQLLEN length = lengths_[slot * rows_ + row];
  if (length == SQL_NULL_DATA)
    return {};
  const char* text = text_.data() + (slot * rows_ + row) * kCell;
  // Of unknown length, the value ends at its NUL; a longer one than the buffer fills it.
  if (length < 0)
    return {text, strnlen(text, kMaxText)};
  return {text, std::min(static_cast<std::size_t>(length), kMaxText)};
}

}  // namespace zqt::odbc
