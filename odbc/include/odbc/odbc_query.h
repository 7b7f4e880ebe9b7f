#pragma once
// zqt::Query over the host's ODBC connection: one SELECT on a statement of its own, columns read as text.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/query.h"

namespace zqt {

namespace odbc {
class ResultCursor;
}

class OdbcQuery final : public Query {
 public:
  // Rows per fetch for a log: a block fetch where the driver takes row arrays.
  static constexpr std::size_t kBlockRows = 256;

  // `component` prefixes the query's own messages ("LogQuery"). `connection` is the host's SQLHDBC as a
  // number: the record's 32-bit Connection field widens to it unchanged; 0 means no connection.
  // With block_rows above 1, rows after the first are fetched that many at a time into bound buffers where
  // the driver takes row arrays, values keep at most 255 characters (all a record's slot holds), and the
  // columns read are those asked for during the first row. With 1, every value is read whole with SQLGetData.
  OdbcQuery(std::string component, std::uintptr_t connection, std::size_t block_rows = 1);
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
  // The column of that name. A caller asks for the same names in the same order on every row, so the n-th
  // request of a row is first compared with the n-th of the row before: no search by name per value.
  std::size_t Column(odbc::ResultCursor& cursor, std::string_view name);

  std::string component_;
  std::uintptr_t connection_;
  std::size_t block_rows_;
  std::string sql_;
  std::unique_ptr<odbc::ResultCursor> cursor_;
  std::vector<std::pair<std::string, std::size_t>> lookups_;
  std::size_t lookup_at_ = 0;
};

}  // namespace zqt
