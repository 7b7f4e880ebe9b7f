#pragma once
// The operations the rebuild needs from the host's database layer: a read-only query on the host's
// connection.

#include <string>
#include <string_view>

namespace zqt {

class Query {
 public:
  virtual ~Query() = default;
  virtual bool Active() const = 0;
  // Frees the statement; never throws.
  virtual void Close() = 0;
  virtual void SetSql(std::string sql) = 0;
  // Executes the statement and positions on the first row.
  virtual void Open() = 0;
  virtual bool Eof() const = 0;
  // The named column of the current row as text; the name's letter case is ignored, NULL reads as "".
  virtual std::string FieldAsText(std::string_view name) = 0;
  virtual void Next() = 0;
};

}  // namespace zqt
