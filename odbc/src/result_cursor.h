#pragma once
// An executed SELECT positioned on a row, with its columns looked up by name and read as text.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bound_block.h"
#include "odbc/odbc_api.h"
#include "statement_handle.h"

namespace zqt::odbc {

// Drivers may require a row's columns to be read in ascending order, once each. So a row's values are read
// into a cache on the row's first request: on the first row every column, afterwards the columns that were
// asked for during the first row. A column first asked for later is read when asked and joins those columns.
//
// With block_rows above 1, the rows after the first come in blocks of that many rows into bound buffers,
// where the driver takes row arrays: the columns asked for during the first row are bound, values keep at
// most 255 characters, and a column first asked for later cannot be read. A driver without row arrays is read
// row by row as above.
class ResultCursor {
 public:
  // Executes `sql` on a statement of its own and fetches the first row. Raises the driver's message.
  ResultCursor(SQLHDBC connection, std::string_view sql, std::size_t block_rows);

  bool Eof() const { return eof_; }
  void Next();

  // The column's index, its name compared with ASCII letter case ignored; the first of equal names.
  std::optional<std::size_t> FindColumn(std::string_view name) const;

  // The column's value in the current row; "" past the last row. Valid until the cursor moves. Nothing when
  // the rows come in blocks and the column is not bound.
  std::optional<std::string_view> Value(std::size_t column);

 private:
  void Fetch();
  void ReadRow();
  void Read(std::size_t column);
  // Binds the columns asked for during the first row for block fetches, where the driver takes row arrays.
  void StartBlocks();
  void NextInBlock();

  StatementHandle statement_;
  std::size_t block_rows_;
  std::vector<std::string> names_;
  std::vector<std::string> values_;
  std::vector<unsigned char> loaded_;     // read in the current row
  std::vector<unsigned char> row_plan_;   // read at a row's first request
  std::vector<unsigned char> requested_;  // asked for during the first row
  bool first_row_ = true;
  bool row_read_ = false;
  bool eof_ = false;
  // Block fetches: the block, each column's place in it (-1: not bound) and the current row in it.
  std::unique_ptr<BoundBlock> block_;
  std::vector<int> slots_;
  std::size_t block_row_ = 0;
};

}  // namespace zqt::odbc
