#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log_files/cabrillo_reader.h"
#include "read_case.h"
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

// X-QSO and everything after END-OF-LOG are passed over.
const std::vector<QsoFields> kLogQsos = {
    {"NJ4P", "10m", "RTTY", "2024-09-28", "0001", "599 04 TN", "", "", "", "6"},
    {"N6QEK/KL7", "40m", "RTTY", "2024-09-28", "0930", "599 01 DX", "", "", "", "7"}};

class CabrilloReader : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CabrilloReader, ReadsEveryQsoAndReportsEveryProblem) {
  const ReadResult result = ReadCabrillo(GetParam().text);
  EXPECT_EQ(FieldsOf(result.qsos), GetParam().qsos);
  EXPECT_EQ(result.problems, GetParam().problems);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, CabrilloReader,
    ::testing::Values(
        ReadCase{"ReadsTheQsoLinesOfACqwwLog", kLog, kLogQsos, {}},
        ReadCase{"CrLfLinesReadLikeLfLines", WithCrLf(kLog), kLogQsos, {}},
        ReadCase{"ATransmitterIdAtTheEndIsNotPartOfTheExchange",
                 "START-OF-LOG: 3.0\n"
                 "CATEGORY-TRANSMITTER: TWO\n"
                 "QSO: 14085 RY 2024-09-28 0001 K1ABC  599 05 MA  JA1XYZ  599 25 DX  1\n"
                 "QSO: 21085 RY 2024-09-28 0002 K1ABC  599 05 MA  DL1ABC  599 14 DX  0\n",
                 {{"JA1XYZ", "20m", "RTTY", "2024-09-28", "0001", "599 25 DX", "", "", "", "3"},
                  {"DL1ABC", "15m", "RTTY", "2024-09-28", "0002", "599 14 DX", "", "", "", "4"}},
                 {}},
        ReadCase{"FindsTheWorkedCallWhateverTheExchange",
                 "START-OF-LOG: 2.0\n"
                 // Sweepstakes: serial, precedence, check, section.
                 "QSO: 21042 CW 2011-11-05 2102 N5KO 1 A 72 CA K9ZO 2 A 69 IL\n"
                 // VHF: grid squares, which look like calls themselves.
                 "QSO: 50 PH 2019-07-20 1800 K1ABC FN42 W1AW FN31\n"
                 // A name exchange of two words sent against one received: the sides differ in length.
                 "QSO: 7025 CW 2024-01-01 0100 K1ABC 599 JOHN SMITH W1AW 599 BOB\n"
                 // No exchange beyond the report.
                 "QSO: 3550 CW 2024-01-01 0101 K1ABC 599 ve3xx/ve7 599\n",
                 {{"K9ZO", "15m", "CW", "2011-11-05", "2102", "2 A 69 IL", "", "", "", "2"},
                  {"W1AW", "6m", "SSB", "2019-07-20", "1800", "FN31", "", "", "", "3"},
                  {"W1AW", "40m", "CW", "2024-01-01", "0100", "599 BOB", "", "", "", "4"},
                  {"VE3XX/VE7", "80m", "CW", "2024-01-01", "0101", "599", "", "", "", "5"}},
                 {}},
        ReadCase{"LowerCaseTagsModesAndCallsAreRead",
                 "start-of-log: 3.0\nqso: 14080 ry 2024-09-28 1001 7n2uqc 599 25 dx az1za 599 05 ct\n",
                 {{"AZ1ZA", "20m", "RTTY", "2024-09-28", "1001", "599 05 ct", "", "", "", "2"}},
                 {}},
        ReadCase{"BadLinesAreReportedWithTheirNumberAndSkipped",
                 "START-OF-LOG: 3.0\n"
                 "QSO: 14080 XX 2024-09-28 1001 7N2UQC 599 25 DX W1AW 599 05 CT\n"
                 "QSO: 9999 RY 2024-09-28 1002 7N2UQC 599 25 DX W1AW 599 05 CT\n"
                 "QSO: 14080 RY 2024-09-28\n"
                 "QSO: 14080 RY 28-09-2024 1003 7N2UQC 599 25 DX W1AW 599 05 CT\n"
                 "QSO: 14080 RY 2024-09-28 13h0 7N2UQC 599 25 DX W1AW 599 05 CT\n"
                 "QSO: 14080 RY 2024-09-28 1004 599 599 25 25 DX DX\n"
                 "this line has no tag\n"
                 "QSO: 14080 RY 2024-09-28 1005 7N2UQC 599 25 DX W1AW 599 05 CT\n",
                 {{"W1AW", "20m", "RTTY", "2024-09-28", "1005", "599 05 CT", "", "", "", "9"}},
                 {"line 2: unknown mode \"XX\"", "line 3: frequency \"9999\" is in no amateur band",
                  "line 4: QSO line has too few fields", "line 5: date \"28-09-2024\" is not YYYY-MM-DD",
                  "line 6: time \"13h0\" is not HHMM", "line 7: no worked call found",
                  "line 8: not a Cabrillo tag line"}},
        ReadCase{"ProblemReportsShowOnlyPrintableTextAndAreCut",
                 "QSO: " + std::string(100, '\x01') + " RY 2024-09-28 1005 7N2UQC 599 W1AW 599\n",
                 {},
                 {"line 1: frequency \"" + std::string(40, '?') + "...\" is in no amateur band"}}),
    RowName);

}  // namespace
}  // namespace zqt::log_files
