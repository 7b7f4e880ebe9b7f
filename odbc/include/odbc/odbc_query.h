#pragma once
// zqt::Query over the host's ODBC connection: one SELECT on a statement of its own, columns read as text.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/query.h"

namespace zqt {

namespace odbc {
class ResultCursor;
}

class OdbcQuery final : public Query {
 public:
  // `component` prefixes the query's own messages ("LogQuery"). `connection` is the host's SQLHDBC as a
  // number: the record's 32-bit Connection field widens to it unchanged; 0 means no connection.
  OdbcQuery(std::string component, std::uintptr_t connection);
  ~OdbcQuery() override;

  OdbcQuery(const OdbcQuery&) = delete;
  OdbcQuery& operator=(const OdbcQuery&) = delete;
  OdbcQuery(OdbcQuery&&) noexcept;
  OdbcQuery& operator=(OdbcQuery&&) noexcept;

  bool Active() const override;
  // Frees the statement; nothing happens when the query is not open.
  void Close() override;
  void SetSql(std::string sql) override;
  // Closes the query if open, then executes the statement and fetches the first row.
  void Open() override;
  // True past the last row, and while the query is not open.
  bool Eof() const override;
  std::string FieldAsText(std::string_view name) override;
  void Next() override;

 private:
  odbc::ResultCursor& OpenCursor();

  std::string component_;
  std::uintptr_t connection_;
  std::string sql_;
  std::unique_ptr<odbc::ResultCursor> cursor_;
};

}  // namespace zqt
