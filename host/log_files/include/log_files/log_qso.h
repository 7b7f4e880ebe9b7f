#pragma once
// One QSO read from a contest log, and what a reader gives back for a whole log.

#include <string>
#include <vector>

namespace zqt::log_files {

struct LogQso {
  std::string call;    // the worked station, in capitals
  std::string band;    // see bands.h: "20m"
  std::string mode;    // see modes.h: "RTTY"
  std::string date;    // "2024-09-28" when the log gives one in a known form, else empty
  std::string time;    // "0001" (UTC hours and minutes) when the log gives one, else empty
  std::string report;  // the received report and exchange as logged: "599 25 DX"
  // ADIF's own fields when present, else empty: CONT in capitals, DXCC (the entity number) as written,
  // PFX (the station's prefix) in capitals.
  std::string continent;
  std::string dxcc;
  std::string pfx;
  int line = 0;  // where the QSO starts in the file, from 1
};

struct ReadResult {
  std::vector<LogQso> qsos;
  // What was wrong, one entry per fault, each beginning "line N: ". A QSO that cannot be read is left out;
  // a wrong ADIF CONT only loses the continent.
  std::vector<std::string> problems;
};

}  // namespace zqt::log_files
