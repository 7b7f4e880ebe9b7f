#pragma once
// A QSO as the tests write it: the six texts a host fills for the tally and the received report its log row
// holds beside them; and the record a host passes for it.

#include <array>
#include <string>
#include <utility>

#include "core/boundary_records.h"

namespace zqt::test {

struct Qso {
  std::string call, band, mode, continent, main_prefix, dxcc, report = "599";
  bool operator==(const Qso&) const = default;
};

// Each text of a QSO and the record's slot that carries it.
inline constexpr std::array<std::pair<std::string Qso::*, ZqtText TContestData::*>, 7> kQsoSlots = {{
    {&Qso::call, &TContestData::CallSign},
    {&Qso::band, &TContestData::DigiBand},
    {&Qso::mode, &TContestData::QSOMode},
    {&Qso::continent, &TContestData::Continent},
    {&Qso::main_prefix, &TContestData::MainPrefix},
    {&Qso::dxcc, &TContestData::DXCCPrefix},
    {&Qso::report, &TContestData::QSOReportRecived},
}};

// The QSO's seven texts in their slots (each cut to 255 characters), every other byte zero.
inline TContestData Record(const Qso& q) {
  TContestData r{};
  for (const auto& [text, slot] : kQsoSlots)
    WriteText(r.*slot, q.*text);
  return r;
}

// The seven texts of a record, each its slot's length byte's worth of characters.
inline Qso QsoOf(const TContestData& r) {
  Qso q;
  for (const auto& [text, slot] : kQsoSlots)
    q.*text = TextView(r.*slot);
  return q;
}

}  // namespace zqt::test
