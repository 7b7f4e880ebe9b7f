#pragma once
// Rows fetched a block at a time into bound column buffers (SQLBindCol with SQL_ATTR_ROW_ARRAY_SIZE): one
// call into the driver per block instead of one per row and column. Under Wine every ODBC call crosses from
// the Windows side into the Unix driver, so the calls saved are the time saved.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "odbc/odbc_api.h"

namespace zqt::odbc {

class BoundBlock {
  // Only Bind makes blocks: the statement is given the addresses of the block's counters.
  struct BindKey {
    explicit BindKey() = default;
  };

 public:
  // The most characters a bound value keeps: the record's text slots hold no more.
  static constexpr std::size_t kMaxText = 255;

  // Binds `columns` (0-based) of the statement for blocks of `rows` rows; nothing when the driver takes no
  // row arrays (it refuses the size or puts 1 in its place). The next SQLFetch fetches a block.
  static std::unique_ptr<BoundBlock> Bind(SQLHSTMT statement, const std::vector<std::size_t>& columns,
                                          std::size_t rows);
  BoundBlock(BindKey, SQLHSTMT statement, std::size_t columns, std::size_t rows);
  // Unbinds the buffers and sets the statement back to single rows.
  ~BoundBlock();
  BoundBlock(const BoundBlock&) = delete;
  BoundBlock& operator=(const BoundBlock&) = delete;

  // Fetches the next block; false past the last row. Raises the driver's message.
  bool Fetch();
  std::size_t Rows() const { return fetched_; }
  // Raises the driver's message for a row of the block that it could not fetch, when the reader reaches it:
  // the rows before it count, as when rows come one by one.
  void CheckRow(std::size_t row) const;
  // The value of the slot-th bound column in a row of the block: "" for NULL, at most kMaxText characters.
  std::string_view Value(std::size_t slot, std::size_t row) const;

 private:
  static constexpr std::size_t kCell = kMaxText + 1;  // the driver ends every value with a NUL

  SQLHSTMT statement_;
  std::size_t rows_;
  std::vector<char> text_;       // column by column, rows_ cells of kCell bytes each
  std::vector<SQLLEN> lengths_;  // column by column, rows_ length indicators each
  std::vector<SQLUSMALLINT> status_;
  SQLULEN fetched_ = 0;
};

}  // namespace zqt::odbc
