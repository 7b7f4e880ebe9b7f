#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log_files/adif_reader.h"
#include "read_case.h"
#include "support/test_data.h"

namespace zqt::log_files {
namespace {

using ::zqt::test::ReadDataFile;
using ::zqt::test::WithCrLf;

const char* const kLog =
    "Exported by a <test> logger\n"
    "<ADIF_VER:5>3.1.4 <PROGRAMID:4>test\n"
    "<EOH>\n"
    "<CALL:6>JA1SJV <QSO_DATE:8>20240928 <TIME_ON:6>001230 <BAND:3>20M <MODE:4>RTTY <RST_RCVD:3>599\n"
    "  <SRX_STRING:2>25 <EOR>\n"
    "<call:5>k1abc <band:3>40m <mode:3>SSB <submode:3>USB <srx:2>05 <cont:2>na <dxcc:3>291 <pfx:2>k1 <eor>\n"
    "<Call:4>W1AW <Freq:6>14.085 <Mode:4>MFSK <SubMode:3>FT4 <Eor>\n";

const QsoFields kFirst = {"JA1SJV", "20m", "RTTY", "2024-09-28", "0012", "599 25", "", "", "", "4"};
const QsoFields kSecond = {"K1ABC", "40m", "SSB", "", "", "05", "NA", "291", "K1", "6"};
const QsoFields kThird = {"W1AW", "20m", "DIGI", "", "", "", "", "", "", "7"};  // the band from FREQ
const std::string kComplete = "<EOH>\n<CALL:5>K1ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n";
const QsoFields kCompleteQso = {"K1ABC", "20m", "RTTY", "", "", "", "", "", "", "2"};

class AdifReader : public ::testing::TestWithParam<ReadCase> {};

TEST_P(AdifReader, ReadsEveryQsoAndReportsEveryProblem) {
  const ReadResult result = ReadAdif(GetParam().text);
  EXPECT_EQ(FieldsOf(result.qsos), GetParam().qsos);
  EXPECT_EQ(result.problems, GetParam().problems);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, AdifReader,
    ::testing::Values(
        ReadCase{"ReadsHeaderAndRecordsWithTagsInAnyCase", kLog, {kFirst, kSecond, kThird}, {}},
        // The comment's ten characters hold a CR and an LF.
        ReadCase{
            "CrLfFilesAndMultiLineDataKeepTheLineNumbers",
            WithCrLf(std::string(kLog) + "<CALL:4>N1MM <COMMENT:10>two\nlines <BAND:3>15m <MODE:2>CW <EOR>\n"
                                         "<CALL:4>W2XX <BAND:3>15m <MODE:2>CW <EOR>\n"),
            {kFirst,
             kSecond,
             kThird,
             {"N1MM", "15m", "CW", "", "", "", "", "", "", "8"},
             {"W2XX", "15m", "CW", "", "", "", "", "", "", "10"}},
            {}},
        ReadCase{"WithoutAHeaderTheFirstTagStartsARecord",
                 "<CALL:5>K1ABC<BAND:3>20m<MODE:4>RTTY<EOR><CALL:5>K2ABC<BAND:3>20m<MODE:4>RTTY<EOR>",
                 {{"K1ABC", "20m", "RTTY", "", "", "", "", "", "", "1"},
                  {"K2ABC", "20m", "RTTY", "", "", "", "", "", "", "1"}},
                 {}},
        ReadCase{"TheLengthDecidesWhereDataEndsEvenOverTagLikeText",
                 "<EOH><NAME:5><EOR> <CALL:5>K1ABC <BAND:3>20m <MODE:2>CW <EOR>",
                 {{"K1ABC", "20m", "CW", "", "", "", "", "", "", "1"}},
                 {}},
        ReadCase{"ABandThatIsNotAdifsFallsBackOnFreq",
                 "<EOH><CALL:5>K1ABC <BAND:3>21m <FREQ:6>21.085 <MODE:4>RTTY <EOR>",
                 {{"K1ABC", "15m", "RTTY", "", "", "", "", "", "", "1"}},
                 {}},
        // A wrong CONT only loses the continent.
        ReadCase{"RecordsThatCannotBeQsosAreReportedAndSkipped",
                 "<EOH>\n"
                 "<BAND:3>20m <MODE:4>RTTY <EOR>\n"
                 "<CALL:6>K1 ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n"
                 "<CALL:5>K1ABC <BAND:3>21m <MODE:4>RTTY <EOR>\n"
                 "<CALL:5>K1ABC <FREQ:4>9.99 <MODE:4>RTTY <EOR>\n"
                 "<CALL:5>K1ABC <MODE:4>RTTY <EOR>\n"
                 "<CALL:5>K1ABC <BAND:3>20m <EOR>\n"
                 "<CALL:5>K1ABC <BAND:3>20m <MODE:4>RTTY <CONT:6>Europe <EOR>\n",
                 {{"K1ABC", "20m", "RTTY", "", "", "", "", "", "", "8"}},
                 {"line 2: record has no CALL", "line 3: CALL \"K1 ABC\" is not a call sign",
                  "line 4: unknown BAND \"21m\"", "line 5: FREQ \"9.99\" is in no amateur band",
                  "line 6: record for K1ABC has no BAND or FREQ", "line 7: record for K1ABC has no MODE",
                  "line 8: CONT \"Europe\" is not a continent and is left out"}},
        ReadCase{"BrokenTagsLoseTheirRecordOnly",
                 "<EOH>\n"
                 "<CALL:5 K1ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n"
                 "<CALL>K2ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n"
                 "<CALL:x>K3ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n"
                 "<CALL:5>K4ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n",
                 {{"K4ABC", "20m", "RTTY", "", "", "", "", "", "", "5"}},
                 {"line 2: tag \"<CALL:5 K1ABC \" has no closing \">\"",
                  "line 3: tag \"<CALL>\" has no length", "line 4: tag \"<CALL:x>\" is not a field"}},
        // A truncated file keeps the records before the cut.
        ReadCase{"ATruncatedTagKeepsTheRecordsBeforeIt",
                 kComplete + "<CALL:5>K2ABC <BAN",
                 {kCompleteQso},
                 {"line 3: tag \"<BAN\" is cut short by the end of the file"}},
        ReadCase{"TruncatedDataKeepsTheRecordsBeforeIt",
                 kComplete + "<CALL:5>K2ABC <BAND:3>20m <MODE:4>RT",
                 {kCompleteQso},
                 {"line 3: data of tag \"<MODE:4>\" is cut short by the end of the file"}},
        ReadCase{"AHugeLengthKeepsTheRecordsBeforeIt",
                 kComplete + "<CALL:999999999>K2ABC",
                 {kCompleteQso},
                 {"line 3: data of tag \"<CALL:999999999>\" is cut short by the end of the file"}},
        ReadCase{"ARecordWithoutEorKeepsTheRecordsBeforeIt",
                 kComplete + "<CALL:5>K2ABC <BAND:3>20m <MODE:4>RTTY\n",
                 {kCompleteQso},
                 {"line 3: record not ended by <EOR>"}},
        ReadCase{"AHeaderWithoutEohIsReported",
                 "Log\n<ADIF_VER:5>3.1.4\n",
                 {},
                 {"line 2: header not ended by <EOH>"}},
        ReadCase{"FreeTextWithoutEohIsACommentBeforeTheRecords",
                 "Log of K1ABC\n<CALL:4>W1AW <BAND:3>20m <MODE:2>CW <EOR>\n",
                 {{"W1AW", "20m", "CW", "", "", "", "", "", "", "2"}},
                 {}},
        ReadCase{
            "ASecondEohIsReported",
            "<EOH><CALL:4>W1AW <BAND:3>20m <MODE:2>CW <EOR>\n<EOH><CALL:4>W2AW <BAND:3>20m <MODE:2>CW <EOR>",
            {{"W1AW", "20m", "CW", "", "", "", "", "", "", "1"},
             {"W2AW", "20m", "CW", "", "", "", "", "", "", "2"}},
            {"line 2: <EOH> after the first record"}}),
    RowName);

TEST(AdifReader, TheSampleLogReadsWhole) {
  const ReadResult result = ReadAdif(ReadDataFile("logs/sample.adi"));
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.qsos.size(), 30u);
  EXPECT_EQ(result.qsos[0].call, "JA1SJV");
  EXPECT_EQ(result.qsos[0].line, 7);
  EXPECT_EQ(result.qsos[1].continent, "AS");
  EXPECT_EQ(result.qsos[1].dxcc, "339");
  EXPECT_EQ(result.qsos[1].pfx, "JA6");
  EXPECT_EQ(result.qsos[3].call, "LU6ETB");  // FREQ only
  EXPECT_EQ(result.qsos[3].band, "20m");
  EXPECT_EQ(result.qsos[7].call, "KH6ND/W7");  // lower-case tags
  EXPECT_EQ(result.qsos[7].report, "599 03 AZ");
  for (const LogQso& qso : result.qsos)
    EXPECT_EQ(qso.mode, "RTTY") << qso.call;
}

}  // namespace
}  // namespace zqt::log_files
