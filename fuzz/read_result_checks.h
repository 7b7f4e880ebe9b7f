#pragma once
// What every reader's result must satisfy whatever the input; a breach aborts the fuzzer run.

#include <string_view>

#include "log_files/log_qso.h"
#include "require.h"

namespace zqt::log_files::fuzzing {

using zqt::fuzzing::Require;

inline void CheckReadResult(const ReadResult& result) {
  for (const LogQso& qso : result.qsos) {
    Require(!qso.call.empty() && !qso.band.empty() && !qso.mode.empty() && qso.line >= 1,
            "a QSO has a call, band, mode and line");
    for (const char c : qso.call)
      Require((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/', "a call holds A-Z, 0-9 and /");
  }
  for (const std::string& problem : result.problems) {
    Require(std::string_view(problem).substr(0, 5) == "line ", "a problem names its line");
  }
}

}  // namespace zqt::log_files::fuzzing
