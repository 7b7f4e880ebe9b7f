#pragma once
// A host-like log table for the benchmarks: the module's seven columns among date, time, frequency and
// exchange columns, filled with generated QSOs.

#include <string_view>

#include "support/odbc_connection.h"

namespace zqt::bench {

inline constexpr std::string_view kLogStatement = "Select * from log order by CallSign";

enum class Calls {
  kUpperCase,
  // Every other call in lower case, under a case-insensitive collation (PostgreSQL only): the engine then
  // returns "order by CallSign" far from byte order, as servers with such a collation do.
  kMixedCase,
};

// Creates table "log" with `rows` QSOs, the same on either engine. Column order: QSODate, QSOTime, CallSign,
// Frequency, DigiBand, QSOMode, QSOReportRecived, Exchange, Continent, MainPrefix, DXCCPrefix.
void BuildLog(const test::OdbcConnection& connection, int rows, Calls calls = Calls::kUpperCase);

// The bare ODBC loop: runs kLogStatement on a statement of its own and fetches the seven columns of every row
// into one buffer, nothing else. Returns the number of rows.
int FetchSevenColumns(const test::OdbcConnection& connection);

// The floor: the same statement with the seven columns bound and 256 rows per SQLFetch, nothing done with the
// values. Returns the number of rows.
int FetchSevenColumnsInBlocks(const test::OdbcConnection& connection);

}  // namespace zqt::bench
