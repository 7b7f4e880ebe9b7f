#pragma once
// A contest log file (ADIF or Cabrillo) turned into the QSOs the host offers the module: each worked call's
// DXCC prefix, continent and call area resolved from a country file.

#include <string>
#include <string_view>
#include <vector>

#include "qso_line.h"

namespace zqthost {

struct LogFileInput {
  std::vector<Qso> qsos;              // in the order of the log
  std::vector<std::string> problems;  // each "line N: ..."
  std::size_t read = 0;               // QSOs the reader took from the file, before the band filter
};

// Throws LogFormatError when either file cannot be read or the country file is malformed. A call that no
// entity of the country file holds is kept with empty DXCC prefix and continent, and named among the
// problems. With a band ("15m"), only the QSOs on that band are kept.
LogFileInput ReadLogFileInput(const std::string& log_path, const std::string& cty_path,
                              std::string_view band);

}  // namespace zqthost
