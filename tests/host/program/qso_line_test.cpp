#include "qso_line.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "host_error.h"

namespace zqthost {
namespace {

// A QSO line and the fields the host takes from it: call, band, mode, continent, main prefix, DXCC prefix,
// date, time, frequency, the exchanges sent and received.
struct Line {
  std::string name;
  std::string_view text;
  std::vector<std::string> fields;
};

void PrintTo(const Line& line, std::ostream* os) {
  *os << line.name;
}

class QsoLines : public ::testing::TestWithParam<Line> {};

TEST_P(QsoLines, FillTheirFieldsInPlace) {
  const Qso q = ParseQsoLine(GetParam().text);
  EXPECT_EQ((std::vector<std::string>{q.call, q.band, q.mode, q.continent, q.main_prefix, q.dxcc_prefix,
                                      q.date, q.time, q.frequency, q.exchange_sent, q.exchange_received}),
            GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    QsoLine, QsoLines,
    ::testing::Values(Line{"SixFieldsFillTheModulesFields",
                           "JA1ABC\t14\tRTTY\tAS\tJA1\tJA",
                           {"JA1ABC", "14", "RTTY", "AS", "JA1", "JA", "", "", "", "", ""}},
                      Line{"OptionalFieldsAndEmptyFieldsKeepTheirPlaces",
                           "\t7\tRTTY\tEU\t\tDL\t2024-01-06\t1200\t7031.5\t599 001\t599 123",
                           {"", "7", "RTTY", "EU", "", "DL", "2024-01-06", "1200", "7031.5", "599 001",
                            "599 123"}}),
    [](const ::testing::TestParamInfo<Line>& row) { return row.param.name; });

TEST(QsoLine, WrongFieldCountsAreRefused) {
  EXPECT_THROW(ParseQsoLine("JA1ABC 14 RTTY AS JA1 JA"), HostError);
  EXPECT_THROW(ParseQsoLine("JA1ABC\t14\tRTTY\tAS\tJA1"), HostError);
  EXPECT_THROW(ParseQsoLine("a\tb\tc\td\te\tf\tg\th\ti\tj\tk\tl"), HostError);
}

TEST(QsoLine, CommentsBlankLinesAndCarriageReturns) {
  EXPECT_TRUE(IsSkippedLine(""));
  EXPECT_TRUE(IsSkippedLine(" \t "));
  EXPECT_TRUE(IsSkippedLine("  # a comment"));
  EXPECT_FALSE(IsSkippedLine("K6AA\t14"));
  EXPECT_EQ(StripCr("K6AA\r"), "K6AA");
  EXPECT_EQ(StripCr("K6AA"), "K6AA");
  EXPECT_EQ(StripCr("\r"), "");
}

}  // namespace
}  // namespace zqthost
