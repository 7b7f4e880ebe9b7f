#include "result_cursor.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/ascii_case.h"
#include "core/error.h"
#include "odbc/cell_text.h"
#include "odbc/diagnostics.h"

namespace zqt::odbc {
namespace {

SQLPOINTER Number(SQLULEN value) {
  return reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(value));
}

std::string DescribeName(SQLHSTMT statement, SQLUSMALLINT column) {
  std::vector<SQLCHAR> name(128);
  for (;;) {
    SQLSMALLINT length = 0;
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    Check(SQLDescribeCol(statement, column, name.data(), static_cast<SQLSMALLINT>(name.size()), &length,
                         &type, &size, &digits, &nullable),
          SQL_HANDLE_STMT, statement, "Cannot describe a column of the result");
    const auto available = static_cast<std::size_t>(std::max<SQLSMALLINT>(length, 0));
    if (available >= name.size() && available < std::numeric_limits<SQLSMALLINT>::max()) {
      name.resize(available + 1);
      continue;
    }
    return std::string(reinterpret_cast<const char*>(name.data()), std::min(available, name.size() - 1));
  }
}

}  // namespace

ResultCursor::ResultCursor(SQLHDBC connection, std::string_view sql,
                           std::span<const std::string_view> columns, std::string_view component,
                           std::size_t block_rows)
    : statement_(SQL_HANDLE_STMT, connection) {
  if (sql.size() > static_cast<std::size_t>(std::numeric_limits<SQLINTEGER>::max()))
    throw zqt::Error("The statement is too long");
  std::string text(sql);
  Check(SQLExecDirect(statement_.get(), reinterpret_cast<SQLCHAR*>(text.data()),
                      static_cast<SQLINTEGER>(text.size())),
        SQL_HANDLE_STMT, statement_.get(), "The statement failed");
  SQLSMALLINT count = 0;
  Check(SQLNumResultCols(statement_.get(), &count), SQL_HANDLE_STMT, statement_.get(),
        "Cannot count the columns of the result");
  if (count <= 0)
    return;  // not a row-returning statement: no rows
  FindColumns(count, columns, component);
  // Without all the columns the first row only raises the missing one's message: nothing to bind.
  if (missing_.empty())
    blocks_ = BindBlocks(block_rows);
  if (!blocks_) {
    text_.resize(columns_.size() * kCell);
    lengths_.resize(columns_.size());
  }
  has_row_ = Fetch();
}

void ResultCursor::FindColumns(SQLSMALLINT count, std::span<const std::string_view> names,
                               std::string_view component) {
  std::vector<std::string> result_names;
  for (SQLUSMALLINT column = 1; column <= count; ++column)
    result_names.push_back(DescribeName(statement_.get(), column));
  for (const std::string_view name : names) {
    // The first of equal names.
    const auto found = std::ranges::find_if(
        result_names, [name](const std::string& other) { return EqualsIgnoringAsciiCase(other, name); });
    if (found == result_names.end() && missing_.empty())
      missing_ = std::string(component) + ": Field '" + std::string(name) + "' not found";
    // A column named twice has one cell: a driver takes one binding, and one SQLGetData, per column.
    const auto column = static_cast<SQLUSMALLINT>(found - result_names.begin() + 1);
    const auto known = std::ranges::find(columns_, column);
    slots_.push_back(static_cast<std::size_t>(known - columns_.begin()));
    if (known == columns_.end())
      columns_.push_back(column);
  }
  for (std::size_t slot = 0; slot < columns_.size(); ++slot)
    read_order_.push_back(slot);
  std::ranges::sort(read_order_, {}, [this](std::size_t slot) { return columns_[slot]; });
}

bool ResultCursor::BindBlocks(std::size_t rows) {
  const SQLHSTMT statement = statement_.get();
  if (rows <= 1 || !SQL_SUCCEEDED(SQLSetStmtAttr(statement, SQL_ATTR_ROW_ARRAY_SIZE, Number(rows), 0)))
    return false;
  // A driver may put a size of its own in place of the one asked for (01S02).
  SQLULEN size = 0;
  if (!SQL_SUCCEEDED(SQLGetStmtAttr(statement, SQL_ATTR_ROW_ARRAY_SIZE, &size, 0, nullptr)) || size <= 1) {
    SQLSetStmtAttr(statement, SQL_ATTR_ROW_ARRAY_SIZE, Number(1), 0);
    return false;
  }
  rows_ = size;
  text_.resize(columns_.size() * rows_ * kCell);
  lengths_.resize(columns_.size() * rows_);
  status_.resize(rows_);
  Check(SQLSetStmtAttr(statement, SQL_ATTR_ROWS_FETCHED_PTR, &fetched_, 0), SQL_HANDLE_STMT, statement,
        "Cannot set up a block fetch");
  Check(SQLSetStmtAttr(statement, SQL_ATTR_ROW_STATUS_PTR, status_.data(), 0), SQL_HANDLE_STMT, statement,
        "Cannot set up a block fetch");
  for (std::size_t slot = 0; slot < columns_.size(); ++slot) {
    Check(SQLBindCol(statement, columns_[slot], SQL_C_CHAR, text_.data() + slot * rows_ * kCell,
                     static_cast<SQLLEN>(kCell), lengths_.data() + slot * rows_),
          SQL_HANDLE_STMT, statement, "Cannot bind a column of the result");
  }
  return true;
}

bool ResultCursor::Fetch() {
  // Marks that show how many rows came should the driver not report the count.
  fetched_ = 0;
  std::ranges::fill(status_, static_cast<SQLUSMALLINT>(SQL_ROW_NOROW));
  const SQLRETURN result = SQLFetch(statement_.get());
  if (result == SQL_NO_DATA)
    return false;
  // SQL_SUCCESS_WITH_INFO: a value longer than its cell was cut (01004), which keeps what is needed.
  Check(result, SQL_HANDLE_STMT, statement_.get(), "Cannot fetch a row of the result");
  if (blocks_) {
    if (fetched_ == 0)
      fetched_ = static_cast<SQLULEN>(
          std::ranges::count_if(status_, [](SQLUSMALLINT s) { return s != SQL_ROW_NOROW; }));
    fetched_ = std::clamp<SQLULEN>(fetched_, 1, rows_);
  }
  row_ = 0;
  return true;
}

bool ResultCursor::Next(std::span<std::string_view> texts) {
  if (started_ && has_row_) {
    if (!blocks_ || ++row_ >= fetched_)
      has_row_ = Fetch();
  }
  started_ = true;
  if (!has_row_)
    return false;
  if (!missing_.empty())
    throw zqt::Error(missing_);
  // A row of the block that the driver could not fetch raises its message when the reader reaches it: the
  // rows before it count, as when rows come one by one.
  if (blocks_ && status_[row_] == SQL_ROW_ERROR)
    ThrowDiagnostics(SQL_HANDLE_STMT, statement_.get(), "Cannot fetch a row of the result");
  if (!blocks_)
    ReadRow();
  for (std::size_t i = 0; i < slots_.size() && i < texts.size(); ++i)
    texts[i] = Cell(slots_[i], row_);
  return true;
}

void ResultCursor::ReadRow() {
  for (const std::size_t slot : read_order_) {
    const SQLRETURN result =
        SQLGetData(statement_.get(), columns_[slot], SQL_C_CHAR, text_.data() + slot * kCell,
                   static_cast<SQLLEN>(kCell), &lengths_[slot]);
    // Truncated (01004) keeps the first kMaxText characters, all that is needed.
    if (result == SQL_NO_DATA)
      lengths_[slot] = 0;
    else
      Check(result, SQL_HANDLE_STMT, statement_.get(), "Cannot read a column of the result");
  }
}

std::string_view ResultCursor::Cell(std::size_t slot, std::size_t row) const {
  const std::size_t at = slot * rows_ + row;
  return CellText(text_.data() + at * kCell, kCell, lengths_[at]);
}

}  // namespace zqt::odbc
