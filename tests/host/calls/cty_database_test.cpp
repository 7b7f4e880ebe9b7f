#include <gtest/gtest.h>

#include <string>

#include "calls/cty_database.h"
#include "log_files/log_format_error.h"
#include "support/test_data.h"

namespace zqt::calls {
namespace {

using ::zqt::log_files::LogFormatError;
using ::zqt::test::DataPath;
using ::zqt::test::ReadDataFile;
using ::zqt::test::WithCrLf;

struct Place {
  const char* call;
  const char* dxcc_prefix;
  const char* entity;
  const char* continent;
};

void ExpectPlaces(const CtyDatabase& cty, std::initializer_list<Place> places) {
  for (const Place& expected : places) {
    const Resolution resolution = cty.Resolve(expected.call);
    EXPECT_EQ(resolution.dxcc_prefix, expected.dxcc_prefix) << expected.call;
    EXPECT_EQ(resolution.entity, expected.entity) << expected.call;
    EXPECT_EQ(resolution.continent, expected.continent) << expected.call;
  }
}

std::string ParseError(std::string_view text) {
  try {
    CtyDatabase::Parse(text);
  } catch (const LogFormatError& error) {
    return error.what();
  }
  return "no error";
}

TEST(CtyDatabase, ParsesTheExcerptAndItsCrLfCopyAlike) {
  const std::string text = ReadDataFile("cty-excerpt.dat");
  const CtyDatabase lf = CtyDatabase::Parse(text);
  const CtyDatabase crlf = CtyDatabase::Parse(WithCrLf(text));
  EXPECT_EQ(lf.EntityCount(), 24u);
  EXPECT_EQ(crlf.EntityCount(), 24u);
  for (const char* call : {"JA1ABC", "VE2FK", "UA9XYZ", "W1AW/KG4", "VK4SN"}) {
    const Resolution a = lf.Resolve(call);
    const Resolution b = crlf.Resolve(call);
    EXPECT_EQ(a.dxcc_prefix, b.dxcc_prefix) << call;
    EXPECT_EQ(a.continent, b.continent) << call;
    EXPECT_EQ(a.itu_zone, b.itu_zone) << call;
  }
}

TEST(CtyDatabase, OverridesApplyToTheirOwnPrefixOrCallOnly) {
  const CtyDatabase cty = CtyDatabase::Load(DataPath("cty-excerpt.dat"));
  const Resolution plain = cty.Resolve("UA9ABC");
  EXPECT_EQ(plain.continent, "AS");
  EXPECT_EQ(plain.cq_zone, 17);
  EXPECT_EQ(plain.itu_zone, 30);
  const Resolution zone_override = cty.Resolve("UA0ABC");
  EXPECT_EQ(zone_override.cq_zone, 19);
  EXPECT_EQ(zone_override.itu_zone, 33);
  EXPECT_EQ(zone_override.continent, "AS");
  // =UA9XYZ{EU}<55.75/-37.62>~-3.0~ and =UA0ZZZ(16)[29]{EU}
  const Resolution continent_override = cty.Resolve("UA9XYZ");
  EXPECT_EQ(continent_override.dxcc_prefix, "UA9");
  EXPECT_EQ(continent_override.continent, "EU");
  EXPECT_EQ(continent_override.cq_zone, 17);
  const Resolution all_overrides = cty.Resolve("UA0ZZZ");
  EXPECT_EQ(all_overrides.continent, "EU");
  EXPECT_EQ(all_overrides.cq_zone, 16);
  EXPECT_EQ(all_overrides.itu_zone, 29);
  EXPECT_EQ(cty.Resolve("VE2FK").itu_zone, 9);
  EXPECT_EQ(cty.Resolve("VE2ABC").itu_zone, 4);
}

TEST(CtyDatabase, WaeOnlyEntriesResolveToTheDxccEntityOfTheirCalls) {
  const CtyDatabase cty = CtyDatabase::Load(DataPath("cty-excerpt.dat"));
  ExpectPlaces(cty, {
                        {"IT9ABC", "I", "Italy", "EU"},
                        {"4U1VIC", "OE", "Austria", "EU"},  // listed again under the WAE-only Vienna Intl Ctr
                        {"TA1ABC", "TA", "Turkey", "EU"},   // European Turkey is Turkey, still in Europe
                        {"TA2ABC", "TA", "Turkey", "AS"},
                    });
  EXPECT_EQ(cty.Resolve("IT9ABC").main_prefix, "IT9");
}

TEST(CtyDatabase, TheMostSpecificEntryOfEitherKindPlacesTheStation) {
  // The WAE-only entity comes first here: the order of the file does not matter.
  const CtyDatabase cty = CtyDatabase::Parse(
      "African Italy: 33: 37: AF: 35.67: -12.67: -1.0: *IG9:\n    IG9,IH9,=IY9A;\n"
      "Italy: 15: 28: EU: 42.82: -12.58: -1.0: I:\n    I,=IH9ZZ,=IY9A/P;\n");
  ExpectPlaces(cty, {
                        {"IG9ABC", "I", "Italy", "AF"},
                        {"IY9A", "I", "Italy", "AF"},    // the WAE-only exact call beats the prefix I
                        {"IH9ZZ", "I", "Italy", "EU"},   // the DXCC exact call beats the WAE-only prefix IH9
                        {"IY9A/P", "I", "Italy", "EU"},  // the call as written beats it without its /P
                        {"IK2ABC", "I", "Italy", "EU"},
                    });
  EXPECT_EQ(cty.Resolve("IG9ABC").cq_zone, 33);
  EXPECT_EQ(cty.Resolve("IG9ABC").itu_zone, 37);
}

TEST(CtyDatabase, ACallOnlyAWaeOnlyEntryMatchesIsUnknown) {
  const CtyDatabase cty =
      CtyDatabase::Parse("Sicily: 15: 28: EU: 37.50: -14.00: -1.0: *IT9:\n    IT9,=IT9ZZ;\n");
  ExpectPlaces(cty, {{"IT9ABC", "", "", ""}, {"IT9ZZ", "", "", ""}});
  EXPECT_EQ(cty.Resolve("IT9ABC").cq_zone, 0);
}

TEST(CtyDatabase, AnEmptyFileKnowsNoEntity) {
  const CtyDatabase cty = CtyDatabase::Parse(" \n");
  EXPECT_EQ(cty.EntityCount(), 0u);
  EXPECT_EQ(cty.Resolve("K1ABC").dxcc_prefix, "");
}

TEST(CtyDatabase, FaultsNameTheirLine) {
  const std::string japan = "Japan:   25:  45:  AS:   36.40:  -138.38:    -9.0:  JA:\n";
  EXPECT_EQ(ParseError(japan + "    JA,JE,\n    JF"),
            "cty.dat line 1: the prefixes of \"Japan\" are not ended by \";\"");
  EXPECT_EQ(ParseError(japan + "  JA;\nJapan: 25: 45: AS: 36.40:\n  JA;"),
            "cty.dat line 3: an entity line needs 8 fields each ended by \":\"");
  EXPECT_EQ(ParseError("Japan: x: 45: AS: 36.40: -138.38: -9.0: JA:\n JA;"),
            "cty.dat line 1: CQ zone \"x\" is not a number");
  EXPECT_EQ(ParseError("Japan: 25: 45: ASIA: 36.40: -138.38: -9.0: JA:\n JA;"),
            "cty.dat line 1: continent \"ASIA\" is not two letters");
  EXPECT_EQ(ParseError("Japan: 25: 45: AS: north: -138.38: -9.0: JA:\n JA;"),
            "cty.dat line 1: \"north\" is not a number");
  EXPECT_EQ(ParseError("Japan: 25: 45: AS: 36.40: -138.38: -9.0: *:\n JA;"),
            "cty.dat line 1: primary prefix \"*\" is not a prefix");
  EXPECT_EQ(ParseError(japan + "    JA,JE,\n\n    J-F;"), "cty.dat line 4: bad prefix \"J-F\"");
  EXPECT_EQ(ParseError(japan + "    JA,\n    JE(25;"), "cty.dat line 3: bad override in \"JE(25\"");
  EXPECT_EQ(ParseError(japan + "    JA,JE(x5);"), "cty.dat line 2: CQ zone \"x5\" is not a number");
  EXPECT_EQ(ParseError(japan + "    JA{ASIA};"), "cty.dat line 2: bad continent in \"JA{ASIA}\"");
  EXPECT_EQ(ParseError(japan + "    JA<36.4>;"), "cty.dat line 2: bad latitude/longitude in \"JA<36.4>\"");
  EXPECT_EQ(ParseError(japan + "    JA~x~;"), "cty.dat line 2: bad UTC offset in \"JA~x~\"");
  EXPECT_EQ(ParseError(japan + "    JA(25)#;"), "cty.dat line 2: bad override in \"JA(25)#\"");
  EXPECT_EQ(ParseError(japan + "    JA#;"), "cty.dat line 2: bad prefix \"JA#\"");
}

TEST(CtyDatabase, LoadNamesTheFileInItsErrors) {
  const std::filesystem::path missing = DataPath("no-such-cty.dat");
  try {
    CtyDatabase::Load(missing);
    FAIL() << "no error";
  } catch (const LogFormatError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot read the country file " + missing.string());
  }
  const std::filesystem::path log = DataPath("logs/sample.adi");
  try {
    CtyDatabase::Load(log);
    FAIL() << "no error";
  } catch (const LogFormatError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(log.string() + " line 1: ", 0), 0u) << error.what();
  }
}

}  // namespace
}  // namespace zqt::calls
