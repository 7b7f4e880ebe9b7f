#pragma once
// An executed SELECT positioned on a row, with its columns looked up by name and read as text.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "odbc/odbc_api.h"
#include "statement_handle.h"

namespace zqt::odbc {

// Drivers may require a row's columns to be read in ascending order, once each. So a row's values are read
// into a cache on the row's first request: on the first row every column, afterwards the columns that were
// asked for during the first row. A column first asked for later is read when asked and joins those columns.
class ResultCursor {
 public:
  // Executes `sql` on a statement of its own and fetches the first row. Raises the driver's message.
  ResultCursor(SQLHDBC connection, std::string_view sql);

  bool Eof() const { return eof_; }
  void Next();

  // The column's index, its name compared with ASCII letter case ignored; the first of equal names.
  std::optional<std::size_t> FindColumn(std::string_view name) const;

  // The column's value in the current row; "" past the last row.
  const std::string& Value(std::size_t column);

 private:
  void Fetch();
  void ReadRow();
  void Read(std::size_t column);

  StatementHandle statement_;
  std::vector<std::string> names_;
  std::vector<std::string> values_;
  std::vector<unsigned char> loaded_;     // read in the current row
  std::vector<unsigned char> row_plan_;   // read at a row's first request
  std::vector<unsigned char> requested_;  // asked for during the first row
  bool first_row_ = true;
  bool row_read_ = false;
  bool eof_ = false;
};

}  // namespace zqt::odbc
