#pragma once
// What the rebuild needs from the host's database layer: one statement run on the host's connection, read
// through a cursor that the caller owns and that yields the named columns of every row as text.

#include <memory>
#include <span>
#include <string_view>

namespace zqt {

class RowCursor {
 public:
  virtual ~RowCursor() = default;
  // Moves to the next row and puts its texts into `texts`, one for each column named when the query opened,
  // in that order: NULL reads as "", and a text may be cut after 255 characters (all a record's slot keeps).
  // False past the last row. The texts stay valid until the next call.
  virtual bool Next(std::span<std::string_view> texts) = 0;
};

class Query {
 public:
  virtual ~Query() = default;
  // Runs `sql` on a statement of its own, which lives as long as the cursor. `columns` are found by name
  // with ASCII letter case ignored; when the result lacks one, reading the first row raises
  // "<component>: Field '<name>' not found" for the first of them the result lacks. The database layer's
  // failures raise its own messages.
  virtual std::unique_ptr<RowCursor> Open(std::string_view sql,
                                          std::span<const std::string_view> columns) = 0;
};

}  // namespace zqt
