#pragma once
// The host as a logging program: open the module window, log the QSOs, show the result, release.

#include "host_session.h"
#include "options.h"

namespace zqthost {

void RunDefaultFlow(HostSession& session, const Options& options);

}  // namespace zqthost
