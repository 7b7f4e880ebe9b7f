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

TEST(MultiplierWatch, FirstQsoOfAnAreaEntityBringsThreeMultipliers) {
  MultiplierWatch watch;
  EXPECT_EQ(watch.Count(MakeQso("K1ABC", "K", "NA", "K1")),
            (Lines{"mult: K1ABC 20m RTTY dxcc=K cont=NA area=K1", "new: DX K", "new: W K1", "new: Cont NA"}));
  EXPECT_EQ(watch.Count(MakeQso("W6XYZ", "K", "NA", "K6")),
            (Lines{"mult: W6XYZ 20m RTTY dxcc=K cont=NA area=K6", "new: W K6"}));
  EXPECT_EQ(
      watch.Count(MakeQso("JA1AA", "JA", "AS", "JA1")),
      (Lines{"mult: JA1AA 20m RTTY dxcc=JA cont=AS area=JA1", "new: DX JA", "new: JA JA1", "new: Cont AS"}));
  EXPECT_EQ(
      watch.Count(MakeQso("VK4SN", "VK", "OC", "VK4")),
      (Lines{"mult: VK4SN 20m RTTY dxcc=VK cont=OC area=VK4", "new: DX VK", "new: VK VK4", "new: Cont OC"}));
  EXPECT_EQ(watch.Count(MakeQso("VE7IO", "VE", "NA", "VE7")).back(), "new: VE VE7");
}

TEST(MultiplierWatch, LetterCaseMakesNothingNewButAreaEntitiesAreMatchedExactly) {
  MultiplierWatch watch;
  watch.Count(MakeQso("JA1AA", "JA", "AS", "JA1"));
  // "ja" is the entity already counted, and selects no call-area set.
  EXPECT_EQ(watch.Count(MakeQso("JA2BB", "ja", "as", "JA2")),
            (Lines{"mult: JA2BB 20m RTTY dxcc=ja cont=as area=JA2"}));
  EXPECT_EQ(watch.Count(MakeQso("JA3CC", "JA", "AS", "ja3")).back(), "new: JA ja3");
  EXPECT_EQ(watch.Count(MakeQso("JA3DD", "JA", "AS", "JA3")).size(), 1u);
}

TEST(MultiplierWatch, OtherEntitiesHaveNoAreasAndEmptyValuesAreShown) {
  MultiplierWatch watch;
  EXPECT_EQ(watch.Count(MakeQso("W1AW", "W", "NA", "W1")),
            (Lines{"mult: W1AW 20m RTTY dxcc=W cont=NA area=W1", "new: DX W", "new: Cont NA"}));
  EXPECT_EQ(watch.Count(MakeQso("ZZ9ZZ", "", "", "")),
            (Lines{"mult: ZZ9ZZ 20m RTTY dxcc=\"\" cont=\"\" area=\"\"", "new: DX \"\"", "new: Cont \"\""}));
  EXPECT_EQ(watch.Count(MakeQso("ZZ8ZZ", "", "", "")).size(), 1u);
}

}  // namespace
}  // namespace zqthost
