#pragma once
// An executed SELECT read through its named columns only, as text.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/query.h"
#include "odbc/handle.h"
#include "odbc/odbc_api.h"

namespace zqt::odbc {

// Where the driver takes row arrays, rows come a block at a time into bound column buffers (SQLBindCol with
// SQL_ATTR_ROW_ARRAY_SIZE): one call into the driver per block instead of one per row and column. Under Wine
// every ODBC call crosses from the Windows side into the Unix driver, so the calls saved are the time saved.
// A driver that takes none is read row by row with SQLGetData, the named columns in ascending order, as
// drivers may require. Either way a value keeps at most 255 characters, all a record's slot holds.
class ResultCursor final : public RowCursor {
 public:
  // Executes `sql` on a statement of its own and fetches the first row or block. Raises the driver's
  // message.
  ResultCursor(SQLHDBC connection, std::string_view sql, std::span<const std::string_view> columns,
               std::string_view component, std::size_t block_rows);
  ResultCursor(const ResultCursor&) = delete;
  ResultCursor& operator=(const ResultCursor&) = delete;

  bool Next(std::span<std::string_view> texts) override;

 private:
  static constexpr std::size_t kMaxText = 255;
  static constexpr std::size_t kCell = kMaxText + 1;  // the driver ends every value with a NUL

  // The result's column of each name; keeps the message for the first name it lacks.
  void FindColumns(SQLSMALLINT count, std::span<const std::string_view> names, std::string_view component);
  // Binds the columns read for blocks of `rows` rows; false when the driver takes no row arrays.
  bool BindBlocks(std::size_t rows);
  // The next row or block; false past the last row.
  bool Fetch();
  // Reads the current row's columns into their cells with SQLGetData, in ascending column order.
  void ReadRow();
  // The text of a cell in a row: "" for NULL, at most kMaxText characters.
  std::string_view Cell(std::size_t slot, std::size_t row) const;

  std::vector<std::size_t> slots_;       // each name's cell
  std::vector<SQLUSMALLINT> columns_;    // each cell's column of the result, from 1
  std::vector<std::size_t> read_order_;  // the cells by ascending column
  std::string missing_;                  // "Field ... not found" for the first name the result lacks
  bool blocks_ = false;
  std::size_t rows_ = 1;  // rows in a block, or one
  // Text cells and length indicators, column by column: rows_ of each for every column read.
  std::vector<char> text_;
  std::vector<SQLLEN> lengths_;
  std::vector<SQLUSMALLINT> status_;
  SQLULEN fetched_ = 0;
  std::size_t row_ = 0;  // the current row of the block
  bool started_ = false;
  bool has_row_ = false;
  // Declared last, so that it goes first: the driver holds the addresses of the buffers above until then.
  Handle statement_;
};

}  // namespace zqt::odbc
