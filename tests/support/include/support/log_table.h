#pragma once
// Host-like log tables in a SQLite test database, and what a test reads back to see that they are untouched.

#include <string>
#include <string_view>
#include <vector>

#include "support/sqlite_database.h"

namespace zqt::test {

// One log row as a host writes it.
struct LogQso {
  std::string call, band, mode, continent, main_prefix, dxcc, report = "599";
};

// A value that InsertQsos writes as SQL NULL.
inline constexpr std::string_view kNull = "\x01NULL";

// The seven columns the rebuild reads.
const std::vector<std::string>& RebuildColumns();

// Creates `table` (quoted, so any name works) with the seven columns among host columns, leaving out
// `omitted` and giving CallSign `call_collation` (e.g. "COLLATE NOCASE") when not empty.
void CreateLogTable(const SqliteConnection& connection, std::string_view table,
                    std::string_view call_collation = "", std::string_view omitted = "");

// Inserts the rows into a table made by CreateLogTable without omitted columns.
void InsertQsos(const SqliteConnection& connection, std::string_view table, const std::vector<LogQso>& rows);

// Every row of a table made by CreateLogTable, in storage order, as one text.
std::string TableContent(const SqliteConnection& connection, std::string_view table);

// Rows changed through the connection since it opened (SQLite's total_changes()).
long long TotalChanges(const SqliteConnection& connection);

// CallSign of every row in the order "order by CallSign" returns them.
std::vector<std::string> CallOrder(const SqliteConnection& connection, std::string_view table);

}  // namespace zqt::test
