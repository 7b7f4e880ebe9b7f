#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "calls/call_area.h"
#include "calls/cty_database.h"
#include "calls/qso_resolution.h"
#include "support/test_data.h"

namespace zqt::calls {
namespace {

using ::zqt::log_files::LogQso;
using ::zqt::test::DataPath;

// A call and what the excerpt of the country file resolves it to.
struct Case {
  const char* call;
  const char* dxcc_prefix;
  const char* continent;
  const char* main_prefix;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << '"' << c.call << '"';
}

const CtyDatabase& Cty() {
  static const CtyDatabase cty = CtyDatabase::Load(DataPath("cty-excerpt.dat"));
  return cty;
}

class CallResolution : public ::testing::TestWithParam<Case> {};

TEST_P(CallResolution, GivesTheEntityContinentAndMainPrefix) {
  const Resolution resolution = Cty().Resolve(GetParam().call);
  EXPECT_EQ(resolution.dxcc_prefix, GetParam().dxcc_prefix);
  EXPECT_EQ(resolution.continent, GetParam().continent);
  EXPECT_EQ(resolution.main_prefix, GetParam().main_prefix);
}

constexpr Case kCallAreasOfTheFourCountedEntities[] = {
    {"JA1ABC", "JA", "AS", "JA1"}, {"7N2UQC", "JA", "AS", "JA2"}, {"8N0ABC", "JA", "AS", "JA0"},
    {"K1ABC", "K", "NA", "K1"},    {"N6XX", "K", "NA", "K6"},     {"VE7IO", "VE", "NA", "VE7"},
    {"VA3QSL", "VE", "NA", "VE3"}, {"VO1ABC", "VE", "NA", "VE1"}, {"VY2ABC", "VE", "NA", "VE2"},
    {"VK4SN", "VK", "OC", "VK4"},  {"VJ3A", "VK", "OC", "VK3"},   {"VL2Y", "VK", "OC", "VK2"},
};
INSTANTIATE_TEST_SUITE_P(CallAreasOfTheFourCountedEntities, CallResolution,
                         ::testing::ValuesIn(kCallAreasOfTheFourCountedEntities));

constexpr Case kOtherEntitiesKeepTheirPrefixUpToItsLastDigit[] = {
    {"DL1ABC", "DL", "EU", "DL1"}, {"DU3LA", "DU", "OC", "DU3"},   {"3D2AB", "3D2", "OC", "3D2"},
    {"KH6ND", "KH6", "OC", "KH6"}, {"KH7AB", "KH6", "OC", "KH7"},  {"VK9XA", "VK9X", "OC", "VK9"},
    {"NL3Y", "KL", "NA", "NL3"},   {"KH7KA", "KH7K", "OC", "KH7"},  // the longer prefix KH7K wins over KH7
};
INSTANTIATE_TEST_SUITE_P(OtherEntitiesKeepTheirPrefixUpToItsLastDigit, CallResolution,
                         ::testing::ValuesIn(kOtherEntitiesKeepTheirPrefixUpToItsLastDigit));

constexpr Case kPortableForms[] = {
    {"JA1ABC/3", "JA", "AS", "JA3"},   {"JA4XHF/3", "JA", "AS", "JA3"},
    {"7N2UQC/1", "JA", "AS", "JA1"},   {"KB1EFS/2", "K", "NA", "K2"},
    {"K6DTT/2", "K", "NA", "K2"},      {"W1AW/VE3", "VE", "NA", "VE3"},
    {"VE3XX/VE7", "VE", "NA", "VE7"},  {"KH6/K1ABC", "KH6", "OC", "KH6"},
    {"K1ABC/KH6", "KH6", "OC", "KH6"}, {"KH6ND/W7", "K", "NA", "K7"},
    {"N6QEK/KL7", "KL", "NA", "KL7"},  {"DU7/VK4CCV", "DU", "OC", "DU7"},
    {"HI3/DL4SDW", "HI", "NA", "HI3"}, {"F/DL1ABC", "F", "EU", "F"},
    {"DL1ABC/F", "F", "EU", "F"},      {"VK4ABC/VK9X", "VK9X", "OC", "VK9"},
};
INSTANTIATE_TEST_SUITE_P(PortableForms, CallResolution, ::testing::ValuesIn(kPortableForms));

constexpr Case kSuffixesThatDoNotMoveTheStation[] = {
    {"WQ6X/QRP", "K", "NA", "K6"},      {"K1ABC/P", "K", "NA", "K1"},
    {"K1ABC/M", "K", "NA", "K1"},       {"K1ABC/QRPP", "K", "NA", "K1"},
    {"DL1ABC/A", "DL", "EU", "DL1"},    {"JA1ABC/3/P", "JA", "AS", "JA3"},
    {"JA1ABC/P/3", "JA", "AS", "JA3"},  {"W1AW/VE3/P", "VE", "NA", "VE3"},
    {"DL1ABC/YOTA", "DL", "EU", "DL1"},  // award suffixes of three letters or more are not places
};
INSTANTIATE_TEST_SUITE_P(SuffixesThatDoNotMoveTheStation, CallResolution,
                         ::testing::ValuesIn(kSuffixesThatDoNotMoveTheStation));

constexpr Case kMaritimeAndAeronauticalMobilesHaveNoEntity[] = {
    {"K1ABC/MM", "", "", "K1"},
    {"DL1ABC/AM", "", "", "DL1"},
    {"N2NL/MM", "K", "NA", "K2"},  // listed as an exact call
};
INSTANTIATE_TEST_SUITE_P(MaritimeAndAeronauticalMobilesHaveNoEntity, CallResolution,
                         ::testing::ValuesIn(kMaritimeAndAeronauticalMobilesHaveNoEntity));

constexpr Case kExactCallsWinOverPrefixes[] = {
    {"AA2TT", "KH6", "OC", "AA2"},    // a US call in Hawaii: Hawaii counts no call areas
    {"AA2TT/P", "KH6", "OC", "AA2"},  // /P does not move him
    {"AA2TT/QRP", "KH6", "OC", "AA2"}, {"AA2TT/YOTA", "KH6", "OC", "AA2"},
    {"AA2TT/7", "K", "NA", "K7"},  // an area digit does
    {"W1AW/KG4", "KG4", "NA", "KG4"},  {"W1AW", "K", "NA", "K1"},
    {"3D2CR", "3D2/c", "OC", "3D2"},   {"VE7IG/1", "VE", "NA", "VE1"},
    {"NH7RO/M", "K", "NA", "K7"},      {"7N2DAB/LH", "JA", "AS", "JA2"},
    {"JD1BMM", "JD/m", "OC", "JD1"},
};
INSTANTIATE_TEST_SUITE_P(ExactCallsWinOverPrefixes, CallResolution,
                         ::testing::ValuesIn(kExactCallsWinOverPrefixes));

constexpr Case kLowerCaseAndBlanksAroundTheCall[] = {
    {"ja1abc/3", "JA", "AS", "JA3"},
    {" w1aw/ve3 ", "VE", "NA", "VE3"},
    {"kh6nd/w7", "K", "NA", "K7"},
};
INSTANTIATE_TEST_SUITE_P(LowerCaseAndBlanksAroundTheCall, CallResolution,
                         ::testing::ValuesIn(kLowerCaseAndBlanksAroundTheCall));

constexpr Case kUnknownPrefixesHaveEmptyEntityAndContinent[] = {
    {"ZZ9ZZ", "", "", "ZZ9"}, {"", "", "", ""}, {"/", "", "", ""}, {"//P", "", "", "P"}, {"QQ", "", "", "QQ"},
};
INSTANTIATE_TEST_SUITE_P(UnknownPrefixesHaveEmptyEntityAndContinent, CallResolution,
                         ::testing::ValuesIn(kUnknownPrefixesHaveEmptyEntityAndContinent));

TEST(CallZones, AnExactCallsZoneWinsAndAnUnknownPrefixHasNoEntityOrZone) {
  EXPECT_EQ(Cty().Resolve("N2NL/MM").cq_zone, 7);
  const Resolution unknown = Cty().Resolve("ZZ9ZZ");
  EXPECT_EQ(unknown.entity, "");
  EXPECT_EQ(unknown.cq_zone, 0);
}

TEST(MainPrefix, IsTheEntityPrefixAndAreaDigitOrThePrefixUpToItsLastDigit) {
  EXPECT_EQ(MainPrefix("JA", "7N2"), "JA2");
  EXPECT_EQ(MainPrefix("K", "KB2"), "K2");
  EXPECT_EQ(MainPrefix("VK", "VJ3"), "VK3");
  EXPECT_EQ(MainPrefix("VE", "VE"), "VE");  // no digit: the entity alone
  EXPECT_EQ(MainPrefix("DL", "DL1"), "DL1");
  EXPECT_EQ(MainPrefix("VP2E", "VP2E"), "VP2");
  EXPECT_EQ(MainPrefix("W", "W1"), "W1");  // "W" is no entity of the four
}

TEST(ResolveQso, TheLogsOwnContinentAndPrefixWin) {
  LogQso qso;
  qso.call = "JA1ABC";
  qso.dxcc = "291";
  const Resolution plain = ResolveQso(Cty(), qso);
  EXPECT_EQ(plain.dxcc_prefix, "JA");  // DXCC numbers are not prefixes: the country file decides
  EXPECT_EQ(plain.continent, "AS");
  EXPECT_EQ(plain.main_prefix, "JA1");

  qso.continent = "EU";
  qso.pfx = "JA3";
  const Resolution from_log = ResolveQso(Cty(), qso);
  EXPECT_EQ(from_log.dxcc_prefix, "JA");
  EXPECT_EQ(from_log.continent, "EU");
  EXPECT_EQ(from_log.main_prefix, "JA3");

  qso.pfx = "JA";  // a prefix without a digit says nothing about the area
  EXPECT_EQ(ResolveQso(Cty(), qso).main_prefix, "JA1");

  qso.call = "ZZ9ZZ";
  qso.continent.clear();
  qso.pfx.clear();
  const Resolution unknown = ResolveQso(Cty(), qso);
  EXPECT_EQ(unknown.dxcc_prefix, "");
  EXPECT_EQ(unknown.continent, "");
}

}  // namespace
}  // namespace zqt::calls
