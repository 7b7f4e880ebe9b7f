#pragma once
// A QSO as the tests write it: the six texts a host fills for the tally and the received report its log row
// holds beside them; and the record a host passes for it.

#include <string>

#include "core/boundary_records.h"

namespace zqt::test {

struct Qso {
  std::string call, band, mode, continent, main_prefix, dxcc, report = "599";
  bool operator==(const Qso&) const = default;
};

// The QSO's seven texts in their slots (each cut to 255 characters), every other byte zero.
inline TContestData Record(const Qso& q) {
  TContestData r{};
  WriteText(r.CallSign, q.call);
  WriteText(r.DigiBand, q.band);
  WriteText(r.QSOMode, q.mode);
  WriteText(r.Continent, q.continent);
  WriteText(r.MainPrefix, q.main_prefix);
  WriteText(r.DXCCPrefix, q.dxcc);
  WriteText(r.QSOReportRecived, q.report);
  return r;
}

// The seven texts of a record, each its slot's length byte's worth of characters.
inline Qso QsoOf(const TContestData& r) {
  const auto text = [](const ZqtText& slot) {
    return std::string(reinterpret_cast<const char*>(slot + 1), slot[0]);
  };
  return {text(r.CallSign),   text(r.DigiBand),   text(r.QSOMode),         text(r.Continent),
          text(r.MainPrefix), text(r.DXCCPrefix), text(r.QSOReportRecived)};
}

}  // namespace zqt::test
