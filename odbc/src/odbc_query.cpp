#include "odbc/odbc_query.h"

#include <utility>

#include "core/error.h"
#include "result_cursor.h"

namespace zqt {

OdbcQuery::OdbcQuery(std::string component, std::uintptr_t connection)
    : component_(std::move(component)), connection_(connection) {}

OdbcQuery::~OdbcQuery() = default;
OdbcQuery::OdbcQuery(OdbcQuery&&) noexcept = default;
OdbcQuery& OdbcQuery::operator=(OdbcQuery&&) noexcept = default;

bool OdbcQuery::Active() const {
  return cursor_ != nullptr;
}

void OdbcQuery::Close() {
  cursor_.reset();
}

void OdbcQuery::SetSql(std::string sql) {
  sql_ = std::move(sql);
}

void OdbcQuery::Open() {
  Close();
  if (connection_ == 0) {
    throw Error("Missing Connection or ConnectionString");
  }
  cursor_ = std::make_unique<odbc::ResultCursor>(reinterpret_cast<SQLHDBC>(connection_), sql_);
}

bool OdbcQuery::Eof() const {
  return cursor_ == nullptr || cursor_->Eof();
}

std::string OdbcQuery::FieldAsText(std::string_view name) {
  odbc::ResultCursor& cursor = OpenCursor();
  const auto column = cursor.FindColumn(name);
  if (!column) {
    throw Error(component_ + ": Field '" + std::string(name) + "' not found");
  }
  return cursor.Value(*column);
}

void OdbcQuery::Next() {
  OpenCursor().Next();
}

odbc::ResultCursor& OdbcQuery::OpenCursor() {
  if (cursor_ == nullptr) {
    throw Error(component_ + ": The query is not open");
  }
  return *cursor_;
}

}  // namespace zqt
