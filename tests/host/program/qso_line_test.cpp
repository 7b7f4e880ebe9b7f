#include "qso_line.h"

#include <gtest/gtest.h>

#include "host_error.h"

namespace zqthost {
namespace {

TEST(QsoLine, SixFieldsFillTheModulesFields) {
  const Qso qso = ParseQsoLine("JA1ABC\t14\tRTTY\tAS\tJA1\tJA");
  EXPECT_EQ(qso.call, "JA1ABC");
  EXPECT_EQ(qso.band, "14");
  EXPECT_EQ(qso.mode, "RTTY");
  EXPECT_EQ(qso.continent, "AS");
  EXPECT_EQ(qso.main_prefix, "JA1");
  EXPECT_EQ(qso.dxcc_prefix, "JA");
  EXPECT_EQ(qso.date, "");
  EXPECT_EQ(qso.exchange_received, "");
}

TEST(QsoLine, OptionalFieldsAndEmptyFieldsKeepTheirPlaces) {
  const Qso qso = ParseQsoLine("\t7\tRTTY\tEU\t\tDL\t2024-01-06\t1200\t7031.5\t599 001\t599 123");
  EXPECT_EQ(qso.call, "");
  EXPECT_EQ(qso.main_prefix, "");
  EXPECT_EQ(qso.dxcc_prefix, "DL");
  EXPECT_EQ(qso.date, "2024-01-06");
  EXPECT_EQ(qso.time, "1200");
  EXPECT_EQ(qso.frequency, "7031.5");
  EXPECT_EQ(qso.exchange_sent, "599 001");
  EXPECT_EQ(qso.exchange_received, "599 123");
}

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
