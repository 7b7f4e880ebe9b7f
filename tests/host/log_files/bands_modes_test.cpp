#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string_view>

#include "log_files/bands.h"
#include "log_files/modes.h"

namespace zqt::log_files {
namespace {

using Name = std::optional<std::string_view>;  // a band or a mode, or none

// A field as a log writes it, the reading of such fields, and the band or mode it names.
struct Field {
  Name (*read)(std::string_view);
  std::string_view text;
  Name name;
};

void PrintTo(const Field& field, std::ostream* os) {
  *os << '"' << field.text << '"';
}

class BandOrMode : public ::testing::TestWithParam<Field> {};

TEST_P(BandOrMode, IsReadFromTheField) {
  EXPECT_EQ(GetParam().read(GetParam().text), GetParam().name);
}

constexpr auto kKilohertz = &BandFromCabrilloFrequency;
constexpr Field kCabrilloKilohertzFallInTheirBandsWithTheEdgesIncluded[] = {
    {kKilohertz, "1800", "160m"}, {kKilohertz, "7000", "40m"},  {kKilohertz, "7300", "40m"},
    {kKilohertz, "14350", "20m"}, {kKilohertz, "28082", "10m"}, {kKilohertz, "  14085.5 ", "20m"},
};
INSTANTIATE_TEST_SUITE_P(CabrilloKilohertzFallInTheirBandsWithTheEdgesIncluded, BandOrMode,
                         ::testing::ValuesIn(kCabrilloKilohertzFallInTheirBandsWithTheEdgesIncluded));

constexpr Field kCabrilloDesignatorsNameTheBandsAbove30Megahertz[] = {
    {kKilohertz, "50", "6m"},     {kKilohertz, "144", "2m"},  {kKilohertz, "432", "70cm"},
    {kKilohertz, "1.2G", "23cm"}, {kKilohertz, "10g", "3cm"}, {kKilohertz, "LIGHT", "submm"},
};
INSTANTIATE_TEST_SUITE_P(CabrilloDesignatorsNameTheBandsAbove30Megahertz, BandOrMode,
                         ::testing::ValuesIn(kCabrilloDesignatorsNameTheBandsAbove30Megahertz));

constexpr Field kCabrilloOutsideTheBandsOrNotANumberIsNoBand[] = {
    {kKilohertz, "7301", std::nullopt},     {kKilohertz, "13999.9", std::nullopt},
    {kKilohertz, "9999", std::nullopt},     {kKilohertz, "0", std::nullopt},
    {kKilohertz, "-14000", std::nullopt},   {kKilohertz, "14O00", std::nullopt},
    {kKilohertz, "14.000.5", std::nullopt}, {kKilohertz, "", std::nullopt},
    {kKilohertz, ".", std::nullopt},        {kKilohertz, "99999999999999999999", std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(CabrilloOutsideTheBandsOrNotANumberIsNoBand, BandOrMode,
                         ::testing::ValuesIn(kCabrilloOutsideTheBandsOrNotANumberIsNoBand));

constexpr Field kAdifNamesInAnyCaseGiveTheLowerCaseName[] = {
    {&BandFromAdifName, "20M", "20m"},        {&BandFromAdifName, " 160m ", "160m"},
    {&BandFromAdifName, "70CM", "70cm"},      {&BandFromAdifName, "1.25m", "1.25m"},
    {&BandFromAdifName, "21m", std::nullopt}, {&BandFromAdifName, "", std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(AdifNamesInAnyCaseGiveTheLowerCaseName, BandOrMode,
                         ::testing::ValuesIn(kAdifNamesInAnyCaseGiveTheLowerCaseName));

constexpr auto kMegahertz = &BandFromAdifFrequency;
constexpr Field kAdifMegahertzGiveTheBand[] = {
    {kMegahertz, "14.085", "20m"},        {kMegahertz, "3.5", "80m"},
    {kMegahertz, "28.0850000001", "10m"}, {kMegahertz, "144.300", "2m"},
    {kMegahertz, "0.1365", "2190m"},      {kMegahertz, "14.35001", std::nullopt},
    {kMegahertz, "14,085", std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(AdifMegahertzGiveTheBand, BandOrMode,
                         ::testing::ValuesIn(kAdifMegahertzGiveTheBand));

constexpr Field kCabrilloCodesMapToTheModuleModes[] = {
    {&ModeFromCabrillo, "RY", "RTTY"},         {&ModeFromCabrillo, "ry", "RTTY"},
    {&ModeFromCabrillo, "CW", "CW"},           {&ModeFromCabrillo, "PH", "SSB"},
    {&ModeFromCabrillo, "FM", "FM"},           {&ModeFromCabrillo, "DG", "DIGI"},
    {&ModeFromCabrillo, "RTTY", std::nullopt}, {&ModeFromCabrillo, "", std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(CabrilloCodesMapToTheModuleModes, BandOrMode,
                         ::testing::ValuesIn(kCabrilloCodesMapToTheModuleModes));

// An ADIF MODE and SUBMODE, and the mode they name.
struct AdifMode {
  std::string_view mode;
  std::string_view submode;
  Name name;
};

void PrintTo(const AdifMode& row, std::ostream* os) {
  *os << '"' << row.mode << "\" \"" << row.submode << '"';
}

class AdifModes : public ::testing::TestWithParam<AdifMode> {};

TEST_P(AdifModes, FallIntoTheSameFamilies) {
  EXPECT_EQ(ModeFromAdif(GetParam().mode, GetParam().submode), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Modes, AdifModes,
                         ::testing::Values(AdifMode{"RTTY", "", "RTTY"}, AdifMode{"rtty", "ASCI", "RTTY"},
                                           AdifMode{"SSB", "USB", "SSB"}, AdifMode{"AM", "", "SSB"},
                                           AdifMode{"CW", "PCW", "CW"}, AdifMode{"FM", "", "FM"},
                                           AdifMode{"MFSK", "FT4", "DIGI"}, AdifMode{"PSK", "PSK31", "DIGI"},
                                           AdifMode{"", "LSB", "SSB"},  // without MODE the submode decides
                                           AdifMode{" ", "", std::nullopt}));

}  // namespace
}  // namespace zqt::log_files
