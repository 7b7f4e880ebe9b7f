#pragma once
// What each counted QSO adds to the score, for the operator, as the module itself reports it: the host's own
// resolution of the QSO, and each multiplier column of the module's report that the QSO raised. A counted QSO
// brings at most its own entity, call area and continent, so a column that grew names the QSO's value for it.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qso_line.h"

namespace zqthost {

// The seven numbers of the report's Total line: QSO, DX, JA, W, VE, VK, Cont.
using ReportTotals = std::array<long long, 7>;

// The Total line's numbers; nothing when the text holds no such line.
std::optional<ReportTotals> TotalsOf(std::string_view report);

class MultiplierWatch {
 public:
  // Starts from the module's report before the first QSO (nothing when the window shows none).
  explicit MultiplierWatch(const std::optional<std::string>& report);

  // "mult: <call> <band> <mode> dxcc=<..> cont=<..> area=<..>", then "new: DX <dxcc>", "new: JA <area>" (or
  // W, VE, VK) and "new: Cont <continent>" for each column that `report`, the module's report after the QSO,
  // shows higher than the report before. An empty value is shown as "".
  std::vector<std::string> Count(const Qso& qso, const std::optional<std::string>& report);

 private:
  std::optional<ReportTotals> totals_;
};

}  // namespace zqthost
