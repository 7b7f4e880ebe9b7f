#pragma once
// Generated QSOs for the runs that need many: a distinct call for every number below 1,054,560.

#include <cstddef>

#include "qso_line.h"

namespace zqthost {

// QSO number i, over six entities (JA, K, VE, VK, DL, UA), ten call areas and five bands.
Qso GeneratedQso(std::size_t i);

}  // namespace zqthost
