#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log_files/log_format_error.h"
#include "log_files/log_reader.h"
#include "support/test_data.h"

namespace zqt::log_files {
namespace {

using ::zqt::test::DataPath;

TEST(DetectLogFormat, TellsAdifFromCabrilloByContent) {
  EXPECT_EQ(DetectLogFormat("START-OF-LOG: 3.0\nQSO: ..."), LogFormat::kCabrillo);
  EXPECT_EQ(DetectLogFormat("\xEF\xBB\xBF  start-of-log: 2.0\n"), LogFormat::kCabrillo);
  EXPECT_EQ(DetectLogFormat("CONTEST: X\nqso: 14000 RY 2024-09-28 0001 A1A 599 B2B 599\n"),
            LogFormat::kCabrillo);
  EXPECT_EQ(DetectLogFormat("<CALL:4>W1AW<EOR>"), LogFormat::kAdif);
  EXPECT_EQ(DetectLogFormat("Exported log\n<adif_ver:5>3.1.4<eoh>"), LogFormat::kAdif);
  EXPECT_EQ(DetectLogFormat("some notes\nQSO: made in an <EOR>-tagged file\n"), LogFormat::kAdif);
  EXPECT_EQ(DetectLogFormat(""), LogFormat::kUnknown);
  EXPECT_EQ(DetectLogFormat("call,band,mode\nW1AW,20m,CW\n"), LogFormat::kUnknown);
}

TEST(ReadLog, AnUnknownFormatGivesOneProblemAndNoQsos) {
  const ReadResult result = ReadLog("call,band,mode\nW1AW,20m,CW\n");
  EXPECT_TRUE(result.qsos.empty());
  EXPECT_EQ(result.problems, std::vector<std::string>{"line 1: neither an ADIF nor a Cabrillo log"});
}

TEST(ReadLogFile, ReadsEitherFormatFromDisk) {
  EXPECT_EQ(ReadLogFile(DataPath("logs/sample.adi")).qsos.size(), 30u);
  EXPECT_EQ(ReadLogFile(DataPath("logs/cqww-rtty-2024-ve7io.log")).qsos.size(), 613u);
}

TEST(ReadLogFile, AMissingFileOrADirectoryIsAnError) {
  const std::filesystem::path missing = DataPath("logs/no-such.log");
  try {
    ReadLogFile(missing);
    FAIL() << "no error";
  } catch (const LogFormatError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot read the log file " + missing.string());
  }
  EXPECT_THROW(ReadLogFile(DataPath("logs")), LogFormatError);
}

}  // namespace
}  // namespace zqt::log_files
