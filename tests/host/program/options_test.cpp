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
  EXPECT_EQ(options.session.connection_strings,
            (std::vector<std::string>{"DRIVER={SQLite3 ODBC Driver};Database=zqthost.db",
                                      "DRIVER=SQLite3;Database=zqthost.db"}));
  EXPECT_EQ(options.session.table, "Log");
  EXPECT_EQ(options.session.caption_prefix, "zqthost");
  EXPECT_TRUE(options.session.dll.empty());
  EXPECT_TRUE(options.qso_file.empty());
  EXPECT_FALSE(options.session.fresh || options.report || options.stay || options.session.watch_boxes);
  EXPECT_EQ(options.recalc_at_rows, 0);
}

TEST(Options, DatabasePathReachesTheDriverUnchanged) {
  EXPECT_EQ(Parse({"--db", "/tmp/log x.db"}).session.connection_strings.back(),
            "DRIVER=SQLite3;Database=/tmp/log x.db");
  EXPECT_EQ(Parse({"--connect", "DSN=contest;UID=op"}).session.connection_strings,
            std::vector<std::string>{"DSN=contest;UID=op"});
}

TEST(Options, ReadsEveryOption) {
  const Options options =
      Parse({"--dll", "m.dll", "--table", "_Log_2", "--caption-prefix", "", "--fresh", "--report",
             "--screenshot", "s.bmp", "--stay", "--watch-boxes", "--recalc-at-rows", "1200", "-"});
  EXPECT_EQ(options.session.dll, "m.dll");
  EXPECT_EQ(options.session.table, "_Log_2");
  EXPECT_EQ(options.session.caption_prefix, "");
  EXPECT_TRUE(options.session.fresh && options.report && options.stay && options.session.watch_boxes);
  EXPECT_EQ(options.screenshot, "s.bmp");
  EXPECT_EQ(options.recalc_at_rows, 1200);
  EXPECT_EQ(options.qso_file, "-");
}

TEST(Options, LogFileWithCountryFileBandAndMultipliers) {
  const Options plain = Parse({"--log", "Z:\\logs\\a.log"});
  EXPECT_EQ(plain.log_file, "Z:\\logs\\a.log");
  EXPECT_EQ(plain.cty_file, "/usr/share/hamradio-files/cty.dat");
  EXPECT_TRUE(plain.band.empty());
  EXPECT_FALSE(plain.verbose_mults);

  const Options full =
      Parse({"--log", "a.adi", "--cty", "Z:\\c\\cty.dat", "--band", "15M", "--verbose-mults"});
  EXPECT_EQ(full.cty_file, "Z:\\c\\cty.dat");
  EXPECT_EQ(full.band, "15m");
  EXPECT_TRUE(full.verbose_mults);
}

// Table names must be plain identifiers; the test driver's and the benchmark's modes are no options of the
// host.
TEST(Options, RefusesWhatCannotBeMeant) {
  for (const std::vector<std::string_view>& args :
       std::vector<std::vector<std::string_view>>{{"--dll"},
                                                  {"--db", "a.db", "--connect", "DSN=x"},
                                                  {"--frsh"},
                                                  {"a.txt", "b.txt"},
                                                  {"--script", "s.txt"},
                                                  {"--lifecycle"},
                                                  {"--bench"},
                                                  {"--recalc-at-rows", "0"},
                                                  {"--recalc-at-rows", "12x"},
                                                  {"--log", "a.log", "qsos.txt"},
                                                  {"--cty", "cty.dat"},
                                                  {"--verbose-mults"},
                                                  {"--band", "15m", "qsos.txt"},
                                                  {"--log", "a.log", "--band", "14"},
                                                  {"--log"},
                                                  {"--table", "Log; DROP TABLE Log"},
                                                  {"--table", "1Log"},
                                                  {"--table", ""}}) {
    EXPECT_EQ(RefusalOf(args), ExitCode::kUsage) << args.front();
  }
}

TEST(Options, SessionOptionsLeaveTheRestToTheProgram) {
  SessionOptions session;
  std::vector<std::string_view> taken;
  const auto take_modes = [&taken](std::string_view arg, const auto&) {
    taken.push_back(arg);
    return arg == "--lifecycle";
  };
  ParseSessionOptions(std::vector<std::string_view>{"--lifecycle", "--connect", "DSN=pg"}, session,
                      take_modes);
  EXPECT_EQ(taken, std::vector<std::string_view>{"--lifecycle"});
  EXPECT_EQ(session.connection_strings, std::vector<std::string>{"DSN=pg"});
  EXPECT_THROW(ParseSessionOptions(std::vector<std::string_view>{"qsos.txt"}, session, take_modes),
               HostError);
}

}  // namespace
}  // namespace zqthost
