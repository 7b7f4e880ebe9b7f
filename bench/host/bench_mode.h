#pragma once
// zqtbench: the module's speed through its six exports, as a logging program meets it, printed as
// tables: one QSO at 1k, 10k and 100k worked QSOs, the rebuild of 10k, 100k and 1M-row logs beside bare
// ODBC fetches of the same rows, and the memory a worked QSO holds.

#include "console.h"
#include "module_loader.h"
#include "odbc_log.h"

namespace zqthost {

// Writes its tables into the log's database (any ODBC connection) and drops them afterwards. With
// rebuild_rows above 0 it times only the rebuild of a log of that many rows.
void RunBench(Console& console, OdbcLog& log, ContestModule& module, std::size_t rebuild_rows = 0);

}  // namespace zqthost
