#include "calls/qso_resolution.h"

#include "calls/call_area.h"

namespace zqt::calls {

Resolution ResolveQso(const CtyDatabase& cty, const log_files::LogQso& qso) {
  Resolution resolution = cty.Resolve(qso.call);
  if (!qso.continent.empty())
    resolution.continent = qso.continent;
  if (qso.pfx.find_first_of("0123456789") != std::string::npos) {
    resolution.main_prefix = MainPrefix(resolution.dxcc_prefix, qso.pfx);
  }
  return resolution;
}

}  // namespace zqt::calls
