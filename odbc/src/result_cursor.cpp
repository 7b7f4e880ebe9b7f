#include "result_cursor.h"

#include <algorithm>
#include <limits>

#include "base/ascii_case.h"
#include "core/error.h"
#include "column_text.h"
#include "odbc/diagnostics.h"

namespace zqt::odbc {

namespace {

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

ResultCursor::ResultCursor(SQLHDBC connection, std::string_view sql, std::size_t block_rows)
    : statement_(connection), block_rows_(block_rows) {
  if (sql.size() > static_cast<std::size_t>(std::numeric_limits<SQLINTEGER>::max())) {
    throw Error("The statement is too long");
  }
  std::string text(sql);
  Check(SQLExecDirect(statement_.get(), reinterpret_cast<SQLCHAR*>(text.data()),
                      static_cast<SQLINTEGER>(text.size())),
        SQL_HANDLE_STMT, statement_.get(), "The statement failed");

  SQLSMALLINT count = 0;
  Check(SQLNumResultCols(statement_.get(), &count), SQL_HANDLE_STMT, statement_.get(),
        "Cannot count the columns of the result");
  if (count <= 0) {
    eof_ = true;  // not a row-returning statement
    return;
  }
  const auto columns = static_cast<std::size_t>(count);
  names_.reserve(columns);
  for (SQLUSMALLINT column = 1; column <= count; ++column) {
    names_.push_back(DescribeName(statement_.get(), column));
  }
  values_.resize(columns);
  loaded_.assign(columns, 0);
  row_plan_.assign(columns, 1);
  requested_.assign(columns, 0);
  Fetch();
}

void ResultCursor::Fetch() {
  const SQLRETURN result = SQLFetch(statement_.get());
  if (result == SQL_NO_DATA) {
    eof_ = true;
    return;
  }
  Check(result, SQL_HANDLE_STMT, statement_.get(), "Cannot fetch a row of the result");
}

void ResultCursor::Next() {
  if (eof_) {
    return;
  }
  if (first_row_) {
    row_plan_ = requested_;
    first_row_ = false;
    StartBlocks();
  }
  if (block_) {
    NextInBlock();
    return;
  }
  std::fill(loaded_.begin(), loaded_.end(), 0);
  row_read_ = false;
  Fetch();
}

void ResultCursor::StartBlocks() {
  std::vector<std::size_t> columns;
  slots_.assign(names_.size(), -1);
  for (std::size_t column = 0; column < names_.size(); ++column) {
    if (row_plan_[column]) {
      slots_[column] = static_cast<int>(columns.size());
      columns.push_back(column);
    }
  }
  block_ = BoundBlock::Bind(statement_.get(), columns, block_rows_);
  block_row_ = 0;  // of an empty block: the next step fetches the first
}

void ResultCursor::NextInBlock() {
  if (++block_row_ >= block_->Rows()) {
    block_row_ = 0;
    if (!block_->Fetch()) {
      eof_ = true;
      return;
    }
  }
  block_->CheckRow(block_row_);
}

std::optional<std::size_t> ResultCursor::FindColumn(std::string_view name) const {
  for (std::size_t column = 0; column < names_.size(); ++column) {
    if (EqualsIgnoringAsciiCase(names_[column], name)) {
      return column;
    }
  }
  return std::nullopt;
}

std::optional<std::string_view> ResultCursor::Value(std::size_t column) {
  if (eof_) {
    return std::string_view();
  }
  if (block_) {
    if (slots_[column] < 0) {
      return std::nullopt;
    }
    return block_->Value(static_cast<std::size_t>(slots_[column]), block_row_);
  }
  if (!row_read_) {
    ReadRow();
  }
  if (first_row_) {
    requested_[column] = 1;
  }
  if (!loaded_[column]) {
    Read(column);
    row_plan_[column] = 1;
  }
  return values_[column];
}

void ResultCursor::ReadRow() {
  row_read_ = true;
  for (std::size_t column = 0; column < values_.size(); ++column) {
    if (row_plan_[column] && !loaded_[column]) {
      Read(column);
    }
  }
}

void ResultCursor::Read(std::size_t column) {
  ReadColumnText(statement_.get(), static_cast<SQLUSMALLINT>(column + 1), values_[column]);
  loaded_[column] = 1;
}

}  // namespace zqt::odbc
