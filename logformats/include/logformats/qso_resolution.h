#pragma once
// What the host fills into a QSO's DXCCPrefix, Continent and MainPrefix.

#include "logformats/cty_database.h"
#include "logformats/log_qso.h"

namespace zqt::logformats {

// The country file's resolution of the worked call, except that the log's own values win: its continent
// (ADIF CONT) and its prefix (ADIF PFX, when it holds a digit) as the effective prefix of the call area.
Resolution ResolveQso(const CtyDatabase& cty, const LogQso& qso);

}  // namespace zqt::logformats
