#pragma once
// The seven columns of a host's log table that the module reads, named once for the tests: in the order the
// module reads them (a missing one is reported in this order), with the record slot each is read into, and a
// log row's texts in that order.

#include <array>
#include <string>
#include <string_view>

#include "support/qso_fixture.h"

namespace zqt::test {

inline constexpr std::array<std::string_view, 7> kModuleColumns = {
    "QSOReportRecived", "DXCCPrefix", "MainPrefix", "CallSign", "DigiBand", "QSOMode", "Continent"};
inline constexpr std::array<ZqtText TContestData::*, kModuleColumns.size()> kModuleColumnSlots = {
    &TContestData::QSOReportRecived, &TContestData::DXCCPrefix, &TContestData::MainPrefix,
    &TContestData::CallSign,         &TContestData::DigiBand,   &TContestData::QSOMode,
    &TContestData::Continent};

// A row's texts in kModuleColumns order.
using LogRow = std::array<std::string, kModuleColumns.size()>;

inline LogRow RowOf(const Qso& q) {
  return {q.report, q.dxcc, q.main_prefix, q.call, q.band, q.mode, q.continent};
}

inline Qso QsoOf(const LogRow& row) {
  return {row[3], row[4], row[5], row[6], row[2], row[1], row[0]};
}

}  // namespace zqt::test
