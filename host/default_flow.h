#pragma once
// The host as a logging program: open the module window, log the QSOs, show the result, release.

#include <optional>

#include "console.h"
#include "host_session.h"
#include "log_file_input.h"
#include "options.h"

namespace zqthost {

// With a log file's QSOs, its problems and "read: ..." come first, then each QSO is logged as a QSO line
// would be, and with --verbose-mults each counted one is shown with the multipliers the module's report shows
// it added.
void RunDefaultFlow(HostSession& session, Console& console, const Options& options,
                    const std::optional<LogFileInput>& log_input);

}  // namespace zqthost
