#pragma once
// The tests' one log table as a host keeps it, in a test database of either engine, and what a test reads
// back to see that it is untouched: the module's seven columns among two of the host's own, none where the
// module reads it.

#include <string>
#include <string_view>
#include <vector>

#include "support/log_columns.h"
#include "support/odbc_connection.h"

namespace zqt::test {

// A value that InsertQsos writes as SQL NULL.
inline constexpr std::string_view kNull = "\x01NULL";

// Creates `table` (quoted, so any name works; on PostgreSQL in lower case, the name an unquoted `table` in a
// statement folds to) with the host's QSODate and Frequency (real) and the seven columns in reverse reading
// order, leaving out `omitted` and giving CallSign `call_collation` (e.g. "COLLATE NOCASE") when not empty.
void CreateLogTable(const OdbcConnection& connection, std::string_view table,
                    std::string_view call_collation = "", std::string_view omitted = "");

// Inserts the rows into a table made by CreateLogTable without omitted columns; Frequency is 14085.5.
void InsertQsos(const OdbcConnection& connection, std::string_view table, const std::vector<Qso>& rows);

// Every row of a table made by CreateLogTable, in storage order, as one text.
std::string TableContent(const OdbcConnection& connection, std::string_view table);

// Rows changed through the connection since it opened (SQLite's total_changes()); SQLite only.
long long TotalChanges(const OdbcConnection& connection);

// CallSign of every row in the order "order by CallSign" returns them.
std::vector<std::string> CallOrder(const OdbcConnection& connection, std::string_view table);

}  // namespace zqt::test
