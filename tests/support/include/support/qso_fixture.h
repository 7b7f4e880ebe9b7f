#pragma once
// Builds records for the core tests.

#include <string_view>

#include "core/boundary_records.h"

namespace zqt::test {

struct Qso {
  std::string_view call, band, mode, continent, main_prefix, dxcc;
};

inline TContestData Record(const Qso& q) {
  TContestData r{};
  WriteText(r.CallSign, q.call);
  WriteText(r.DigiBand, q.band);
  WriteText(r.QSOMode, q.mode);
  WriteText(r.Continent, q.continent);
  WriteText(r.MainPrefix, q.main_prefix);
  WriteText(r.DXCCPrefix, q.dxcc);
  return r;
}

}  // namespace zqt::test
