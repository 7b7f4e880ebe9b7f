#include "log_file_input.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "log_files/log_format_error.h"

namespace zqthost {
namespace {

std::string DataPath(std::string_view name) {
  return (std::filesystem::path(ZQT_DATA_DIR) / name).string();
}

const std::string kCty = DataPath("cty-excerpt.dat");

// A log file of the test's own, removed afterwards.
class TempLog {
 public:
  explicit TempLog(std::string_view text)
      : path_((std::filesystem::temp_directory_path() / "zqt-score-input-test.log").string()) {
    std::ofstream(path_, std::ios::binary) << text;
  }
  ~TempLog() { std::filesystem::remove(path_); }
  TempLog(const TempLog&) = delete;
  TempLog& operator=(const TempLog&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

TEST(LogFileInput, AdifQsosCarryTheirResolutionReportDateAndTime) {
  const LogFileInput input = ReadLogFileInput(DataPath("logs/sample.adi"), kCty, "");
  ASSERT_EQ(input.read, 30u);
  ASSERT_EQ(input.qsos.size(), 30u);
  const Qso& first = input.qsos.front();
  EXPECT_EQ(
      std::vector<std::string>({first.call, first.band, first.mode, first.continent, first.main_prefix,
                                first.dxcc_prefix, first.date, first.time, first.report}),
      std::vector<std::string>({"JA1SJV", "20m", "RTTY", "AS", "JA1", "JA", "2024-09-28", "0012", "599 25"}));
  // KB1EFS/2 logs PFX KB2: the log's prefix gives the call area.
  const auto portable = std::find_if(input.qsos.begin(), input.qsos.end(),
                                     [](const Qso& qso) { return qso.call == "KB1EFS/2"; });
  ASSERT_NE(portable, input.qsos.end());
  EXPECT_EQ(portable->main_prefix, "K2");
}

TEST(LogFileInput, CallsOutsideTheCountryFileAreKeptAndNamed) {
  // The excerpt lacks Croatia; the QSO still goes to the module, with no entity and no continent.
  const LogFileInput input = ReadLogFileInput(DataPath("logs/sample.adi"), kCty, "");
  const auto croatia =
      std::find_if(input.qsos.begin(), input.qsos.end(), [](const Qso& qso) { return qso.call == "9A1A"; });
  ASSERT_NE(croatia, input.qsos.end());
  EXPECT_EQ(croatia->dxcc_prefix, "");
  EXPECT_EQ(croatia->continent, "EU");  // the log's own CONT
  EXPECT_NE(std::find(input.problems.begin(), input.problems.end(),
                      "line 24: 9A1A is in no entity of the country file"),
            input.problems.end());
}

TEST(LogFileInput, BandFilterKeepsOneBandAndCountsEveryQsoRead) {
  const LogFileInput input = ReadLogFileInput(DataPath("logs/sample.adi"), kCty, "15m");
  EXPECT_EQ(input.read, 30u);
  ASSERT_FALSE(input.qsos.empty());
  for (const Qso& qso : input.qsos) {
    EXPECT_EQ(qso.band, "15m") << qso.call;
  }
  EXPECT_LT(input.qsos.size(), 30u);
}

TEST(LogFileInput, ReaderProblemsComeFirstAndTheRestOfTheLogIsKept) {
  const TempLog log(
      "START-OF-LOG: 3.0\n"
      "QSO: 14080 XX 2024-09-28 1001 7N2UQC 599 25 DX W1AW 599 05 CT\n"
      "QSO: 14080 RY 2024-09-28 1002 7N2UQC 599 25 DX ZZ9ZZ 599 05 CT\n"
      "QSO: 21080 RY 2024-09-28 1003 7N2UQC 599 25 DX VE7IO 599 03 BC\n");
  const LogFileInput input = ReadLogFileInput(log.path(), kCty, "");
  EXPECT_EQ(input.problems, (std::vector<std::string>{"line 2: unknown mode \"XX\"",
                                                      "line 3: ZZ9ZZ is in no entity of the country file"}));
  ASSERT_EQ(input.qsos.size(), 2u);
  EXPECT_EQ(input.qsos[1].call, "VE7IO");
  EXPECT_EQ(input.qsos[1].main_prefix, "VE7");
  EXPECT_EQ(input.qsos[1].report, "599 03 BC");
}

TEST(LogFileInput, UnreadableFilesThrow) {
  EXPECT_THROW(ReadLogFileInput(DataPath("logs/no-such.log"), kCty, ""), zqt::log_files::LogFormatError);
  EXPECT_THROW(ReadLogFileInput(DataPath("logs/sample.adi"), DataPath("no-such.dat"), ""),
               zqt::log_files::LogFormatError);
}

}  // namespace
}  // namespace zqthost
