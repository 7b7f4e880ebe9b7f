#pragma once
// What the host fills into a QSO's DXCCPrefix, Continent and MainPrefix.

#include "calls/cty_database.h"
#include "log_files/log_qso.h"

namespace zqt::calls {

// The country file's resolution of the worked call, except that the log's own values win: its continent
// (ADIF CONT) and its prefix (ADIF PFX, when it holds a digit) as the effective prefix of the call area.
Resolution ResolveQso(const CtyDatabase& cty, const log_files::LogQso& qso);

}  // namespace zqt::calls
