#pragma once
// Reads a Cabrillo 2.0 or 3.0 log: its QSO: lines, whatever the contest's exchange.

#include <string_view>

#include "log_files/log_qso.h"

namespace zqt::log_files {

// Every QSO: line up to END-OF-LOG:. X-QSO: lines are not scored and are passed over.
ReadResult ReadCabrillo(std::string_view text);

}  // namespace zqt::log_files
