#include "odbc/odbc_query.h"

#include <utility>

#include "core/error.h"
#include "result_cursor.h"

namespace zqt {

OdbcQuery::OdbcQuery(std::string component, std::uintptr_t connection, std::size_t block_rows)
    : component_(std::move(component)), connection_(connection), block_rows_(block_rows) {}

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
  cursor_ = std::make_unique<odbc::ResultCursor>(reinterpret_cast<SQLHDBC>(connection_), sql_, block_rows_);
  // Another statement may have other columns in other places.
  lookups_.clear();
  lookup_at_ = 0;
}

bool OdbcQuery::Eof() const {
  return cursor_ == nullptr || cursor_->Eof();
}

std::size_t OdbcQuery::Column(odbc::ResultCursor& cursor, std::string_view name) {
  if (lookup_at_ < lookups_.size() && lookups_[lookup_at_].first == name) {
    return lookups_[lookup_at_++].second;
  }
  const auto column = cursor.FindColumn(name);
  if (!column) {
    throw Error(component_ + ": Field '" + std::string(name) + "' not found");
  }
  // Another order than the row before: learn it from here on.
  lookups_.resize(lookup_at_);
  lookups_.emplace_back(name, *column);
  ++lookup_at_;
  return *column;
}

std::string OdbcQuery::FieldAsText(std::string_view name) {
  odbc::ResultCursor& cursor = OpenCursor();
  const std::size_t column = Column(cursor, name);
  const std::optional<std::string_view> value = cursor.Value(column);
  if (!value) {
    throw Error(component_ + ": Field '" + std::string(name) + "' was not read in the first row");
  }
  return std::string(block_rows_ > 1 ? value->substr(0, odbc::BoundBlock::kMaxText) : *value);
}

void OdbcQuery::Next() {
  OpenCursor().Next();
  lookup_at_ = 0;
}

odbc::ResultCursor& OdbcQuery::OpenCursor() {
  if (cursor_ == nullptr) {
    throw Error(component_ + ": The query is not open");
  }
  return *cursor_;
}

}  // namespace zqt
