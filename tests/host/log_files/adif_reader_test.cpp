#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log_files/adif_reader.h"
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

TEST(AdifReader, ReadsHeaderAndRecordsWithTagsInAnyCase) {
  const ReadResult result = ReadAdif(kLog);
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.qsos.size(), 3u);

  const LogQso& first = result.qsos[0];
  EXPECT_EQ(first.call, "JA1SJV");
  EXPECT_EQ(first.band, "20m");
  EXPECT_EQ(first.mode, "RTTY");
  EXPECT_EQ(first.date, "2024-09-28");
  EXPECT_EQ(first.time, "0012");
  EXPECT_EQ(first.report, "599 25");
  EXPECT_EQ(first.line, 4);
  EXPECT_TRUE(first.continent.empty() && first.dxcc.empty() && first.pfx.empty());

  const LogQso& second = result.qsos[1];
  EXPECT_EQ(second.call, "K1ABC");
  EXPECT_EQ(second.band, "40m");
  EXPECT_EQ(second.mode, "SSB");
  EXPECT_EQ(second.report, "05");
  EXPECT_EQ(second.continent, "NA");
  EXPECT_EQ(second.dxcc, "291");
  EXPECT_EQ(second.pfx, "K1");
  EXPECT_EQ(second.line, 6);
  EXPECT_TRUE(second.date.empty() && second.time.empty());

  EXPECT_EQ(result.qsos[2].band, "20m");  // from FREQ
  EXPECT_EQ(result.qsos[2].mode, "DIGI");
  EXPECT_EQ(result.qsos[2].line, 7);
}

TEST(AdifReader, CrLfFilesAndMultiLineDataKeepTheLineNumbers) {
  const std::string text = WithCrLf(std::string(kLog) +
                                    "<CALL:4>N1MM <COMMENT:10>two\nlines <BAND:3>15m <MODE:2>CW <EOR>\n"
                                    "<CALL:4>W2XX <BAND:3>15m <MODE:2>CW <EOR>\n");
  const ReadResult result = ReadAdif(text);
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.qsos.size(), 5u);
  EXPECT_EQ(result.qsos[0].call, "JA1SJV");
  EXPECT_EQ(result.qsos[0].report, "599 25");
  EXPECT_EQ(result.qsos[1].line, 6);
  // The comment's ten characters hold a CR and an LF.
  EXPECT_EQ(result.qsos[3].call, "N1MM");
  EXPECT_EQ(result.qsos[3].band, "15m");
  EXPECT_EQ(result.qsos[3].line, 8);
  EXPECT_EQ(result.qsos[4].line, 10);
}

TEST(AdifReader, WithoutAHeaderTheFirstTagStartsARecord) {
  const ReadResult result =
      ReadAdif("<CALL:5>K1ABC<BAND:3>20m<MODE:4>RTTY<EOR><CALL:5>K2ABC<BAND:3>20m<MODE:4>RTTY<EOR>");
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.qsos.size(), 2u);
  EXPECT_EQ(result.qsos[1].call, "K2ABC");
}

TEST(AdifReader, TheLengthDecidesWhereDataEndsEvenOverTagLikeText) {
  const ReadResult result = ReadAdif("<EOH><NAME:5><EOR> <CALL:5>K1ABC <BAND:3>20m <MODE:2>CW <EOR>");
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.qsos.size(), 1u);
  EXPECT_EQ(result.qsos[0].call, "K1ABC");
}

TEST(AdifReader, ABandThatIsNotAdifsFallsBackOnFreq) {
  const ReadResult result = ReadAdif("<EOH><CALL:5>K1ABC <BAND:3>21m <FREQ:6>21.085 <MODE:4>RTTY <EOR>");
  ASSERT_EQ(result.qsos.size(), 1u);
  EXPECT_EQ(result.qsos[0].band, "15m");
}

TEST(AdifReader, RecordsThatCannotBeQsosAreReportedAndSkipped) {
  const ReadResult result = ReadAdif(
      "<EOH>\n"
      "<BAND:3>20m <MODE:4>RTTY <EOR>\n"
      "<CALL:6>K1 ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n"
      "<CALL:5>K1ABC <BAND:3>21m <MODE:4>RTTY <EOR>\n"
      "<CALL:5>K1ABC <FREQ:4>9.99 <MODE:4>RTTY <EOR>\n"
      "<CALL:5>K1ABC <MODE:4>RTTY <EOR>\n"
      "<CALL:5>K1ABC <BAND:3>20m <EOR>\n"
      "<CALL:5>K1ABC <BAND:3>20m <MODE:4>RTTY <CONT:6>Europe <EOR>\n");
  const std::vector<std::string> expected = {
      "line 2: record has no CALL",
      "line 3: CALL \"K1 ABC\" is not a call sign",
      "line 4: unknown BAND \"21m\"",
      "line 5: FREQ \"9.99\" is in no amateur band",
      "line 6: record for K1ABC has no BAND or FREQ",
      "line 7: record for K1ABC has no MODE",
      "line 8: CONT \"Europe\" is not a continent and is left out",
  };
  EXPECT_EQ(result.problems, expected);
  ASSERT_EQ(result.qsos.size(), 1u);  // a wrong CONT only loses the continent
  EXPECT_EQ(result.qsos[0].line, 8);
  EXPECT_TRUE(result.qsos[0].continent.empty());
}

TEST(AdifReader, BrokenTagsLoseTheirRecordOnly) {
  const ReadResult result = ReadAdif(
      "<EOH>\n"
      "<CALL:5 K1ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n"
      "<CALL>K2ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n"
      "<CALL:x>K3ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n"
      "<CALL:5>K4ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n");
  const std::vector<std::string> expected = {
      "line 2: tag \"<CALL:5 K1ABC \" has no closing \">\"",
      "line 3: tag \"<CALL>\" has no length",
      "line 4: tag \"<CALL:x>\" is not a field",
  };
  EXPECT_EQ(result.problems, expected);
  ASSERT_EQ(result.qsos.size(), 1u);
  EXPECT_EQ(result.qsos[0].call, "K4ABC");
}

TEST(AdifReader, ATruncatedFileKeepsTheRecordsBeforeTheCut) {
  const std::string complete = "<EOH>\n<CALL:5>K1ABC <BAND:3>20m <MODE:4>RTTY <EOR>\n";
  const ReadResult in_tag = ReadAdif(complete + "<CALL:5>K2ABC <BAN");
  EXPECT_EQ(in_tag.problems,
            std::vector<std::string>{"line 3: tag \"<BAN\" is cut short by the end of the file"});
  ASSERT_EQ(in_tag.qsos.size(), 1u);
  EXPECT_EQ(in_tag.qsos[0].call, "K1ABC");

  const ReadResult in_data = ReadAdif(complete + "<CALL:5>K2ABC <BAND:3>20m <MODE:4>RT");
  EXPECT_EQ(in_data.problems,
            std::vector<std::string>{"line 3: data of tag \"<MODE:4>\" is cut short by the end of the file"});
  EXPECT_EQ(in_data.qsos.size(), 1u);

  const ReadResult huge_length = ReadAdif(complete + "<CALL:999999999>K2ABC");
  EXPECT_EQ(huge_length.problems.size(), 1u);
  EXPECT_EQ(huge_length.qsos.size(), 1u);

  const ReadResult no_eor = ReadAdif(complete + "<CALL:5>K2ABC <BAND:3>20m <MODE:4>RTTY\n");
  EXPECT_EQ(no_eor.problems, std::vector<std::string>{"line 3: record not ended by <EOR>"});
  EXPECT_EQ(no_eor.qsos.size(), 1u);

  const ReadResult no_eoh = ReadAdif("Log\n<ADIF_VER:5>3.1.4\n");
  EXPECT_EQ(no_eoh.problems, std::vector<std::string>{"line 2: header not ended by <EOH>"});
}

TEST(AdifReader, FreeTextWithoutEohIsACommentBeforeTheRecords) {
  const ReadResult result = ReadAdif("Log of K1ABC\n<CALL:4>W1AW <BAND:3>20m <MODE:2>CW <EOR>\n");
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.qsos.size(), 1u);
  EXPECT_EQ(result.qsos[0].call, "W1AW");
}

TEST(AdifReader, ASecondEohIsReported) {
  const ReadResult result = ReadAdif(
      "<EOH><CALL:4>W1AW <BAND:3>20m <MODE:2>CW <EOR>\n<EOH><CALL:4>W2AW <BAND:3>20m <MODE:2>CW <EOR>");
  EXPECT_EQ(result.problems, std::vector<std::string>{"line 2: <EOH> after the first record"});
  EXPECT_EQ(result.qsos.size(), 2u);
}

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
