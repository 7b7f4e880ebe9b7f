#include "multiplier_watch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zqthost {
namespace {

using Lines = std::vector<std::string>;

Qso MakeQso(std::string call, std::string dxcc, std::string continent, std::string area) {
  Qso qso;
  qso.call = std::move(call);
  qso.band = "20m";
  qso.mode = "RTTY";
  qso.dxcc_prefix = std::move(dxcc);
  qso.continent = std::move(continent);
  qso.main_prefix = std::move(area);
  return qso;
}

// A report as the host reads it, with these seven totals each padded to width 4.
std::string Report(const std::vector<int>& totals) {
  std::string line;
  for (const int total : totals) {
    const std::string digits = std::to_string(total);
    line += std::string(digits.size() < 4 ? 4 - digits.size() : 0, ' ') + digits + "\t";
  }
  return ".\t QSO\t  DX\t  JA\t   W\t  VE\t  VK\tCont\t\nTotal\t" + line + "\n Score: ...\nCont(1)\tNA";
}

TEST(MultiplierWatch, EachColumnTheModulesReportRaisedNamesTheQsosValue) {
  MultiplierWatch watch(Report({0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(watch.Count(MakeQso("K1ABC", "K", "NA", "K1"), Report({1, 1, 0, 1, 0, 0, 1})),
            (Lines{"mult: K1ABC 20m RTTY dxcc=K cont=NA area=K1", "new: DX K", "new: W K1", "new: Cont NA"}));
  EXPECT_EQ(watch.Count(MakeQso("W6XYZ", "K", "NA", "K6"), Report({2, 1, 0, 2, 0, 0, 1})),
            (Lines{"mult: W6XYZ 20m RTTY dxcc=K cont=NA area=K6", "new: W K6"}));
  EXPECT_EQ(watch.Count(MakeQso("JA1AA", "ja", "as", "JA1"), Report({3, 1, 0, 2, 0, 0, 1})),
            (Lines{"mult: JA1AA 20m RTTY dxcc=ja cont=as area=JA1"}));
  EXPECT_EQ(watch.Count(MakeQso("JA2AA", "JA", "AS", "JA2"), Report({4, 1, 1, 2, 0, 0, 2})),
            (Lines{"mult: JA2AA 20m RTTY dxcc=JA cont=AS area=JA2", "new: JA JA2", "new: Cont AS"}));
  EXPECT_EQ(watch.Count(MakeQso("VE7IO", "VE", "NA", "VE7"), Report({5, 2, 1, 2, 1, 0, 2})),
            (Lines{"mult: VE7IO 20m RTTY dxcc=VE cont=NA area=VE7", "new: DX VE", "new: VE VE7"}));
  // A count of five digits fills its column without padding; empty values are shown as "".
  EXPECT_EQ(watch.Count(MakeQso("ZZ9ZZ", "", "", ""), Report({10000, 3, 1, 2, 1, 1, 3})),
            (Lines{"mult: ZZ9ZZ 20m RTTY dxcc=\"\" cont=\"\" area=\"\"", "new: DX \"\"", "new: VK \"\"",
                   "new: Cont \"\""}));
}

TEST(MultiplierWatch, WithoutAReportBeforeAndAfterOnlyTheHostsOwnLineIsShown) {
  MultiplierWatch watch(std::nullopt);
  const Qso qso = MakeQso("K1ABC", "K", "NA", "K1");
  const std::string counted = Report({1, 1, 0, 1, 0, 0, 1});
  EXPECT_EQ(watch.Count(qso, counted).size(), 1u);
  EXPECT_EQ(watch.Count(qso, std::nullopt).size(), 1u);
  EXPECT_EQ(watch.Count(qso, counted).size(), 1u);
  EXPECT_EQ(watch.Count(qso, "typed over\nTotal\t1\t").size(), 1u);
  EXPECT_FALSE(TotalsOf("Total\t   1\t   1\t   0\t   1\t   0\t   0\t"));
  EXPECT_EQ(TotalsOf(counted), (ReportTotals{1, 1, 0, 1, 0, 0, 1}));
}

}  // namespace
}  // namespace zqthost
