#pragma once
// What every reader's result must satisfy whatever the input; a breach aborts the fuzzer run.

#include <cstdlib>
#include <string_view>

#include "logformats/log_qso.h"

namespace zqt::logformats::fuzzing {

inline void Require(bool condition) {
  if (!condition)
    std::abort();
}

inline void CheckReadResult(const ReadResult& result) {
  for (const LogQso& qso : result.qsos) {
    Require(!qso.call.empty() && !qso.band.empty() && !qso.mode.empty() && qso.line >= 1);
    for (const char c : qso.call)
      Require((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/');
  }
  for (const std::string& problem : result.problems) {
    Require(std::string_view(problem).substr(0, 5) == "line ");
  }
}

}  // namespace zqt::logformats::fuzzing
