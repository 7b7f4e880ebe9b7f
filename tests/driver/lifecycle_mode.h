#pragma once
// zqtdriver --lifecycle: what the host process holds while the module lives in it, printed as two tables.
// First 1000 _Run/_Release cycles over a small log, then a session of 100,000 QSOs logged as a logging
// program logs them, with a "Recalc Statistic" click every 1,000. At each checkpoint: resident memory, heap
// bytes in use, and the windows, GDI objects and kernel handles of the process (resource_counts.h). A QSO
// answered or counted wrongly, or a window that stays after _Release, ends the run with an error.

#include "console.h"
#include "module_loader.h"
#include "odbc_log.h"

namespace zqthost {

// Writes its log tables into the log's database and drops them afterwards.
void RunLifecycle(Console& console, OdbcLog& log, ContestModule& module);

}  // namespace zqthost
