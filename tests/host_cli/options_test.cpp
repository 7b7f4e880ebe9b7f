#include "options.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "host_error.h"

namespace zqthost {
namespace {

Options Parse(std::vector<std::string_view> args) {
  return ParseOptions(args);
}

ExitCode RefusalOf(std::vector<std::string_view> args) {
  try {
    Parse(args);
  } catch (const HostError& error) {
    return error.code();
  }
  ADD_FAILURE() << "accepted";
  return ExitCode::kFailure;
}

TEST(Options, DefaultsLogToALocalSqliteFile) {
  const Options options = Parse({});
  EXPECT_EQ(options.connection_string, "DRIVER=SQLite3;Database=zqthost.db");
  EXPECT_EQ(options.table, "Log");
  EXPECT_EQ(options.caption_prefix, "zqthost");
  EXPECT_TRUE(options.dll.empty());
  EXPECT_TRUE(options.qso_file.empty());
  EXPECT_FALSE(options.fresh || options.report || options.stay || options.watch_boxes);
}

TEST(Options, DatabasePathReachesTheDriverUnchanged) {
  EXPECT_EQ(Parse({"--db", "/tmp/log x.db"}).connection_string, "DRIVER=SQLite3;Database=/tmp/log x.db");
  EXPECT_EQ(Parse({"--connect", "DSN=contest;UID=op"}).connection_string, "DSN=contest;UID=op");
}

TEST(Options, ReadsEveryOption) {
  const Options options = Parse({"--dll", "m.dll", "--table", "Log_2", "--caption-prefix", "", "--fresh",
                                 "--report", "--screenshot", "s.bmp", "--stay", "--watch-boxes", "-"});
  EXPECT_EQ(options.dll, "m.dll");
  EXPECT_EQ(options.table, "Log_2");
  EXPECT_EQ(options.caption_prefix, "");
  EXPECT_TRUE(options.fresh && options.report && options.stay && options.watch_boxes);
  EXPECT_EQ(options.screenshot, "s.bmp");
  EXPECT_EQ(options.qso_file, "-");
}

TEST(Options, RefusesWhatCannotBeMeant) {
  EXPECT_EQ(RefusalOf({"--dll"}), ExitCode::kUsage);
  EXPECT_EQ(RefusalOf({"--db", "a.db", "--connect", "DSN=x"}), ExitCode::kUsage);
  EXPECT_EQ(RefusalOf({"--frsh"}), ExitCode::kUsage);
  EXPECT_EQ(RefusalOf({"a.txt", "b.txt"}), ExitCode::kUsage);
  EXPECT_EQ(RefusalOf({"--script", "s.txt", "a.txt"}), ExitCode::kUsage);
}

TEST(Options, BenchAndLifecycleTakeADatabaseButNoQsos) {
  const Options options = Parse({"--bench", "--connect", "DSN=pg"});
  EXPECT_TRUE(options.bench);
  EXPECT_EQ(options.connection_string, "DSN=pg");
  EXPECT_FALSE(Parse({}).bench);
  EXPECT_EQ(RefusalOf({"--bench", "qsos.txt"}), ExitCode::kUsage);
  EXPECT_EQ(RefusalOf({"--bench", "--script", "s.txt"}), ExitCode::kUsage);
  EXPECT_EQ(RefusalOf({"--bench", "--log", "a.adi"}), ExitCode::kUsage);
  EXPECT_TRUE(Parse({"--lifecycle", "--db", "x.db"}).lifecycle);
  EXPECT_EQ(RefusalOf({"--lifecycle", "--script", "s.txt"}), ExitCode::kUsage);
  EXPECT_EQ(RefusalOf({"--lifecycle", "--bench"}), ExitCode::kUsage);
}

TEST(Options, TableNameMustBeAPlainIdentifier) {
  EXPECT_EQ(RefusalOf({"--table", "Log; DROP TABLE Log"}), ExitCode::kUsage);
  EXPECT_EQ(RefusalOf({"--table", "1Log"}), ExitCode::kUsage);
  EXPECT_EQ(RefusalOf({"--table", ""}), ExitCode::kUsage);
  EXPECT_EQ(Parse({"--table", "_log2"}).table, "_log2");
}

}  // namespace
}  // namespace zqthost
