#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log_files/cabrillo_reader.h"
#include "support/test_data.h"

namespace zqt::log_files {
namespace {

using ::zqt::test::WithCrLf;

const char* const kLog =
    "START-OF-LOG: 3.0\n"
    "CONTEST: CQ-WW-RTTY\n"
    "CALLSIGN: 7N2UQC\n"
    "SOAPBOX: Time: 0000-2359, thanks\n"
    "\n"
    "QSO:   28082 RY 2024-09-28 0001 7N2UQC           599 25  DX   NJ4P             599 04  TN   \n"
    "QSO:    7003 RY 2024-09-28 0930 7N2UQC           599 25  DX   N6QEK/KL7        599 01  DX   \n"
    "X-QSO: 14080 RY 2024-09-28 1000 7N2UQC           599 25  DX   W1AW             599 05  CT   \n"
    "END-OF-LOG:\n"
    "QSO:   14080 RY 2024-09-28 1001 7N2UQC           599 25  DX   W1AW             599 05  CT   \n";

TEST(CabrilloReader, ReadsTheQsoLinesOfACqwwLog) {
  const ReadResult result = ReadCabrillo(kLog);
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.qsos.size(), 2u);  // X-QSO and everything after END-OF-LOG are passed over
  const LogQso& first = result.qsos[0];
  EXPECT_EQ(first.call, "NJ4P");
  EXPECT_EQ(first.band, "10m");
  EXPECT_EQ(first.mode, "RTTY");
  EXPECT_EQ(first.date, "2024-09-28");
  EXPECT_EQ(first.time, "0001");
  EXPECT_EQ(first.report, "599 04 TN");
  EXPECT_EQ(first.line, 6);
  EXPECT_TRUE(first.continent.empty() && first.dxcc.empty() && first.pfx.empty());
  EXPECT_EQ(result.qsos[1].call, "N6QEK/KL7");
  EXPECT_EQ(result.qsos[1].band, "40m");
  EXPECT_EQ(result.qsos[1].line, 7);
}

TEST(CabrilloReader, CrLfLinesReadLikeLfLines) {
  const ReadResult lf = ReadCabrillo(kLog);
  const ReadResult crlf = ReadCabrillo(WithCrLf(kLog));
  EXPECT_TRUE(crlf.problems.empty());
  ASSERT_EQ(crlf.qsos.size(), lf.qsos.size());
  for (std::size_t i = 0; i < lf.qsos.size(); ++i) {
    EXPECT_EQ(crlf.qsos[i].call, lf.qsos[i].call);
    EXPECT_EQ(crlf.qsos[i].report, lf.qsos[i].report);
    EXPECT_EQ(crlf.qsos[i].line, lf.qsos[i].line);
  }
}

TEST(CabrilloReader, ATransmitterIdAtTheEndIsNotPartOfTheExchange) {
  const ReadResult result = ReadCabrillo(
      "START-OF-LOG: 3.0\n"
      "CATEGORY-TRANSMITTER: TWO\n"
      "QSO: 14085 RY 2024-09-28 0001 K1ABC  599 05 MA  JA1XYZ  599 25 DX  1\n"
      "QSO: 21085 RY 2024-09-28 0002 K1ABC  599 05 MA  DL1ABC  599 14 DX  0\n");
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.qsos.size(), 2u);
  EXPECT_EQ(result.qsos[0].call, "JA1XYZ");
  EXPECT_EQ(result.qsos[0].report, "599 25 DX");
  EXPECT_EQ(result.qsos[1].call, "DL1ABC");
  EXPECT_EQ(result.qsos[1].band, "15m");
}

TEST(CabrilloReader, FindsTheWorkedCallWhateverTheExchange) {
  const ReadResult result = ReadCabrillo(
      "START-OF-LOG: 2.0\n"
      // Sweepstakes: serial, precedence, check, section.
      "QSO: 21042 CW 2011-11-05 2102 N5KO 1 A 72 CA K9ZO 2 A 69 IL\n"
      // VHF: grid squares, which look like calls themselves.
      "QSO: 50 PH 2019-07-20 1800 K1ABC FN42 W1AW FN31\n"
      // A name exchange of two words sent against one received: the sides differ in length.
      "QSO: 7025 CW 2024-01-01 0100 K1ABC 599 JOHN SMITH W1AW 599 BOB\n"
      // No exchange beyond the report.
      "QSO: 3550 CW 2024-01-01 0101 K1ABC 599 ve3xx/ve7 599\n");
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.qsos.size(), 4u);
  EXPECT_EQ(result.qsos[0].call, "K9ZO");
  EXPECT_EQ(result.qsos[0].report, "2 A 69 IL");
  EXPECT_EQ(result.qsos[1].call, "W1AW");
  EXPECT_EQ(result.qsos[1].band, "6m");
  EXPECT_EQ(result.qsos[1].mode, "SSB");
  EXPECT_EQ(result.qsos[2].call, "W1AW");
  EXPECT_EQ(result.qsos[2].report, "599 BOB");
  EXPECT_EQ(result.qsos[3].call, "VE3XX/VE7");
}

TEST(CabrilloReader, LowerCaseTagsModesAndCallsAreRead) {
  const ReadResult result =
      ReadCabrillo("start-of-log: 3.0\nqso: 14080 ry 2024-09-28 1001 7n2uqc 599 25 dx az1za 599 05 ct\n");
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.qsos.size(), 1u);
  EXPECT_EQ(result.qsos[0].call, "AZ1ZA");
  EXPECT_EQ(result.qsos[0].mode, "RTTY");
  EXPECT_EQ(result.qsos[0].report, "599 05 ct");
}

TEST(CabrilloReader, BadLinesAreReportedWithTheirNumberAndSkipped) {
  const ReadResult result = ReadCabrillo(
      "START-OF-LOG: 3.0\n"
      "QSO: 14080 XX 2024-09-28 1001 7N2UQC 599 25 DX W1AW 599 05 CT\n"
      "QSO: 9999 RY 2024-09-28 1002 7N2UQC 599 25 DX W1AW 599 05 CT\n"
      "QSO: 14080 RY 2024-09-28\n"
      "QSO: 14080 RY 28-09-2024 1003 7N2UQC 599 25 DX W1AW 599 05 CT\n"
      "QSO: 14080 RY 2024-09-28 13h0 7N2UQC 599 25 DX W1AW 599 05 CT\n"
      "QSO: 14080 RY 2024-09-28 1004 599 599 25 25 DX DX\n"
      "this line has no tag\n"
      "QSO: 14080 RY 2024-09-28 1005 7N2UQC 599 25 DX W1AW 599 05 CT\n");
  const std::vector<std::string> expected = {
      "line 2: unknown mode \"XX\"",         "line 3: frequency \"9999\" is in no amateur band",
      "line 4: QSO line has too few fields", "line 5: date \"28-09-2024\" is not YYYY-MM-DD",
      "line 6: time \"13h0\" is not HHMM",   "line 7: no worked call found",
      "line 8: not a Cabrillo tag line",
  };
  EXPECT_EQ(result.problems, expected);
  ASSERT_EQ(result.qsos.size(), 1u);
  EXPECT_EQ(result.qsos[0].line, 9);
}

TEST(CabrilloReader, ProblemReportsShowOnlyPrintableTextAndAreCut) {
  const std::string junk(100, '\x01');
  const ReadResult result = ReadCabrillo("QSO: " + junk + " RY 2024-09-28 1005 7N2UQC 599 W1AW 599\n");
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_EQ(result.problems[0],
            "line 1: frequency \"" + std::string(40, '?') + "...\" is in no amateur band");
}

}  // namespace
}  // namespace zqt::log_files
