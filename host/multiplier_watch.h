#pragma once
// The host's own view of what each counted QSO adds to the score, for the operator: the multipliers it
// brings and which of them are new. It follows the module's rules: entities and continents count once each,
// call areas only within the entities "JA", "K", "VE" and "VK" (DXCC prefix compared exactly), and letter
// case does not make a value new.

#include <array>
#include <set>
#include <string>
#include <vector>

#include "qso_line.h"

namespace zqthost {

class MultiplierWatch {
 public:
  // "mult: <call> <band> <mode> dxcc=<..> cont=<..> area=<..>", then "new: DX <..>", "new: JA <..>" (or W,
  // VE, VK) and "new: Cont <..>" for each value not seen before. An empty value is shown as "".
  std::vector<std::string> Count(const Qso& qso);

 private:
  std::set<std::string> entities_;
  std::array<std::set<std::string>, 4> areas_;  // JA, W, VE, VK
  std::set<std::string> continents_;
};

}  // namespace zqthost
