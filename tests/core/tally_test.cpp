#include <gtest/gtest.h>

#include <string>

#include "core/tally.h"
#include "support/user_collation.h"
#include "support/qso_fixture.h"

namespace zqt {
namespace {

using test::Qso;
using test::Record;
using test::UserCollation;

constexpr const char* kHeading = ".\t QSO\t  DX\t  JA\t   W\t  VE\t  VK\tCont\t\r\n";

class TallyTest : public ::testing::Test {
 protected:
  int Add(const Qso& q) { return tally.CountQSO(Record(q)); }
  Tally tally{UserCollation()};
};

TEST_F(TallyTest, EmptyReport) {
  EXPECT_EQ(tally.ShowStatistic(), std::string(kHeading) +
                                       "Total\t   0\t   0\t   0\t   0\t   0\t   0\t   0\t\r\n"
                                       " Score: 0*(0+0+0+0+0)*0= 0\r\n"
                                       "Cont(0)");
}

TEST_F(TallyTest, TwelveQsosScore288) {
  const Qso qsos[] = {
      {"JA1AAA", "20m", "RTTY", "AS", "JA1", "JA"}, {"JA2BBB", "20m", "RTTY", "AS", "JA2", "JA"},
      {"K1AA", "20m", "RTTY", "NA", "K1", "K"},     {"DL1AA", "20m", "RTTY", "EU", "DL1", "DL"},
      {"G3AA", "20m", "RTTY", "EU", "G3", "G"},     {"F1AA", "20m", "RTTY", "EU", "F1", "F"},
      {"JA1AAA", "15m", "RTTY", "AS", "JA1", "JA"}, {"K1AA", "15m", "RTTY", "NA", "K1", "K"},
      {"DL1AA", "15m", "RTTY", "EU", "DL1", "DL"},  {"G3AA", "15m", "RTTY", "EU", "G3", "G"},
      {"F1AA", "15m", "RTTY", "EU", "F1", "F"},     {"JA2BBB", "10m", "RTTY", "AS", "JA2", "JA"},
  };
  for (const Qso& q : qsos)
    ASSERT_EQ(Add(q), 1);
  EXPECT_EQ(Add(qsos[3]), -1);
  EXPECT_EQ(tally.ShowStatistic(), std::string(kHeading) +
                                       "Total\t  12\t   5\t   2\t   1\t   0\t   0\t   3\t\r\n"
                                       " Score: 12*(5+2+1+0+0)*3= 288\r\n"
                                       "Cont(3)\tAS\tEU\tNA");
}

TEST_F(TallyTest, CheckWithoutCommitCountsNothingAndDupesChangeNothing) {
  const Qso q{"VE3XX", "40m", "RTTY", "NA", "VE3", "VE"};
  EXPECT_EQ(tally.CheckQSO(Record(q)), 1);
  EXPECT_EQ(tally.QsoCount(), 0);
  EXPECT_EQ(Add(q), 1);
  const std::string report = tally.ShowStatistic();
  EXPECT_EQ(tally.CheckQSO(Record(q)), -1);
  EXPECT_EQ(Add(q), -1);
  EXPECT_EQ(tally.ShowStatistic(), report);
  EXPECT_EQ(tally.VeAreas().Items(), (std::vector<std::string>{"VE3"}));
}

TEST_F(TallyTest, ContinentsIgnoreCaseAndShowTheFirstArrivedForm) {
  Add({"DL1AA", "20m", "RTTY", "eu", "DL1", "DL"});
  Add({"G3AA", "20m", "RTTY", "EU", "G3", "G"});
  Add({"F1AA", "20m", "RTTY", "Eu", "F1", "F"});
  EXPECT_EQ(tally.Continents().Items(), (std::vector<std::string>{"eu"}));
  EXPECT_NE(tally.ShowStatistic().find("Cont(1)\teu"), std::string::npos);
}

TEST_F(TallyTest, ASetForgetsItsTextsWhenClearedAndTakesTheNextFirstForm) {
  Add({"DL1AA", "20m", "RTTY", "eu", "DL1", "DL"});
  Add({"G3AA", "20m", "RTTY", "EU", "G3", "G"});
  tally.Clear();
  EXPECT_EQ(tally.Continents().Count(), 0u);
  Add({"G3AA", "20m", "RTTY", "EU", "G3", "G"});
  Add({"DL1AA", "20m", "RTTY", "eu", "DL1", "DL"});
  EXPECT_EQ(tally.Continents().Items(), (std::vector<std::string>{"EU"}));
  EXPECT_EQ(tally.Entities().Items(), (std::vector<std::string>{"DL", "G"}));
}

TEST_F(TallyTest, EntityTestIsExactWhileTheDxSetIgnoresCase) {
  Add({"JA1AAA", "20m", "RTTY", "AS", "JA1", "ja"});
  Add({"JA2BBB", "20m", "RTTY", "AS", "JA2", "JA"});
  Add({"W1AW", "20m", "RTTY", "NA", "W1", "W"});
  EXPECT_EQ(tally.Entities().Count(), 2u);  // "ja"/"JA" once, "W" once
  EXPECT_EQ(tally.JaAreas().Items(), (std::vector<std::string>{"JA2"}));
  EXPECT_EQ(tally.WAreas().Count(), 0u);
}

TEST_F(TallyTest, EmptyTextsAreOrdinaryValues) {
  Add({"", "", "", "", "", ""});
  EXPECT_EQ(tally.Entities().Items(), (std::vector<std::string>{""}));
  EXPECT_EQ(tally.Continents().Count(), 1u);
  EXPECT_EQ(Add({"", "", "", "", "", ""}), -1);
}

TEST_F(TallyTest, CountsOfFourDigitsFillTheColumnAndOfTenThousandArePrintedInFull) {
  for (int i = 0; i < 10000; ++i) {
    if (i == 9999) {
      EXPECT_NE(tally.ShowStatistic().find("Total\t9999\t9999\t   0\t"), std::string::npos);
    }
    Add({"C" + std::to_string(i), "20m", "RTTY", "EU", "", "D" + std::to_string(i)});
  }
  EXPECT_NE(tally.ShowStatistic().find("Total\t10000\t10000\t   0\t"), std::string::npos);
}

TEST_F(TallyTest, ScoreIsComputedIn64BitsAndPrintedTrue) {
  // 100000 QSOs x 200 entities x 200 continents = 4e9, past a 32-bit integer.
  for (int i = 0; i < 100000; ++i) {
    const std::string n = std::to_string(i % 200);
    tally.CountQSO(Record({"C" + std::to_string(i), "20m", "RTTY", "C" + n, "", "D" + n}));
  }
  EXPECT_EQ(tally.Score(), 4'000'000'000LL);
  EXPECT_NE(tally.ShowStatistic().find(" Score: 100000*(200+0+0+0+0)*200= 4000000000\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace zqt
