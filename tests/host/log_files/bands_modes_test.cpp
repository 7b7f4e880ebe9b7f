#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "log_files/bands.h"
#include "log_files/modes.h"

namespace zqt::log_files {
namespace {

using Band = std::optional<std::string_view>;

TEST(CabrilloFrequency, KilohertzFallInTheirBandsWithTheEdgesIncluded) {
  EXPECT_EQ(BandFromCabrilloFrequency("1800"), Band("160m"));
  EXPECT_EQ(BandFromCabrilloFrequency("7000"), Band("40m"));
  EXPECT_EQ(BandFromCabrilloFrequency("7300"), Band("40m"));
  EXPECT_EQ(BandFromCabrilloFrequency("14350"), Band("20m"));
  EXPECT_EQ(BandFromCabrilloFrequency("28082"), Band("10m"));
  EXPECT_EQ(BandFromCabrilloFrequency("  14085.5 "), Band("20m"));
}

TEST(CabrilloFrequency, OutsideTheBandsOrNotANumberIsNoBand) {
  EXPECT_EQ(BandFromCabrilloFrequency("7301"), std::nullopt);
  EXPECT_EQ(BandFromCabrilloFrequency("13999.9"), std::nullopt);
  EXPECT_EQ(BandFromCabrilloFrequency("9999"), std::nullopt);
  EXPECT_EQ(BandFromCabrilloFrequency("0"), std::nullopt);
  EXPECT_EQ(BandFromCabrilloFrequency("-14000"), std::nullopt);
  EXPECT_EQ(BandFromCabrilloFrequency("14O00"), std::nullopt);
  EXPECT_EQ(BandFromCabrilloFrequency("14.000.5"), std::nullopt);
  EXPECT_EQ(BandFromCabrilloFrequency(""), std::nullopt);
  EXPECT_EQ(BandFromCabrilloFrequency("."), std::nullopt);
  EXPECT_EQ(BandFromCabrilloFrequency("99999999999999999999"), std::nullopt);
}

TEST(CabrilloFrequency, DesignatorsNameTheBandsAbove30Megahertz) {
  EXPECT_EQ(BandFromCabrilloFrequency("50"), Band("6m"));
  EXPECT_EQ(BandFromCabrilloFrequency("144"), Band("2m"));
  EXPECT_EQ(BandFromCabrilloFrequency("432"), Band("70cm"));
  EXPECT_EQ(BandFromCabrilloFrequency("1.2G"), Band("23cm"));
  EXPECT_EQ(BandFromCabrilloFrequency("10g"), Band("3cm"));
  EXPECT_EQ(BandFromCabrilloFrequency("LIGHT"), Band("submm"));
}

TEST(AdifBand, NamesInAnyCaseGiveTheLowerCaseName) {
  EXPECT_EQ(BandFromAdifName("20M"), Band("20m"));
  EXPECT_EQ(BandFromAdifName(" 160m "), Band("160m"));
  EXPECT_EQ(BandFromAdifName("70CM"), Band("70cm"));
  EXPECT_EQ(BandFromAdifName("1.25m"), Band("1.25m"));
  EXPECT_EQ(BandFromAdifName("21m"), std::nullopt);
  EXPECT_EQ(BandFromAdifName(""), std::nullopt);
}

TEST(AdifFrequency, MegahertzGiveTheBand) {
  EXPECT_EQ(BandFromAdifFrequency("14.085"), Band("20m"));
  EXPECT_EQ(BandFromAdifFrequency("3.5"), Band("80m"));
  EXPECT_EQ(BandFromAdifFrequency("28.0850000001"), Band("10m"));
  EXPECT_EQ(BandFromAdifFrequency("144.300"), Band("2m"));
  EXPECT_EQ(BandFromAdifFrequency("0.1365"), Band("2190m"));
  EXPECT_EQ(BandFromAdifFrequency("14.35001"), std::nullopt);
  EXPECT_EQ(BandFromAdifFrequency("14,085"), std::nullopt);
}

TEST(Modes, CabrilloCodesMapToTheModuleModes) {
  EXPECT_EQ(ModeFromCabrillo("RY"), std::optional<std::string_view>("RTTY"));
  EXPECT_EQ(ModeFromCabrillo("ry"), std::optional<std::string_view>("RTTY"));
  EXPECT_EQ(ModeFromCabrillo("CW"), std::optional<std::string_view>("CW"));
  EXPECT_EQ(ModeFromCabrillo("PH"), std::optional<std::string_view>("SSB"));
  EXPECT_EQ(ModeFromCabrillo("FM"), std::optional<std::string_view>("FM"));
  EXPECT_EQ(ModeFromCabrillo("DG"), std::optional<std::string_view>("DIGI"));
  EXPECT_EQ(ModeFromCabrillo("RTTY"), std::nullopt);
  EXPECT_EQ(ModeFromCabrillo(""), std::nullopt);
}

TEST(Modes, AdifModesFallIntoTheSameFamilies) {
  EXPECT_EQ(ModeFromAdif("RTTY", ""), std::optional<std::string_view>("RTTY"));
  EXPECT_EQ(ModeFromAdif("rtty", "ASCI"), std::optional<std::string_view>("RTTY"));
  EXPECT_EQ(ModeFromAdif("SSB", "USB"), std::optional<std::string_view>("SSB"));
  EXPECT_EQ(ModeFromAdif("AM", ""), std::optional<std::string_view>("SSB"));
  EXPECT_EQ(ModeFromAdif("CW", "PCW"), std::optional<std::string_view>("CW"));
  EXPECT_EQ(ModeFromAdif("FM", ""), std::optional<std::string_view>("FM"));
  EXPECT_EQ(ModeFromAdif("MFSK", "FT4"), std::optional<std::string_view>("DIGI"));
  EXPECT_EQ(ModeFromAdif("PSK", "PSK31"), std::optional<std::string_view>("DIGI"));
  // Without MODE the submode decides.
  EXPECT_EQ(ModeFromAdif("", "LSB"), std::optional<std::string_view>("SSB"));
  EXPECT_EQ(ModeFromAdif(" ", ""), std::nullopt);
}

}  // namespace
}  // namespace zqt::log_files
