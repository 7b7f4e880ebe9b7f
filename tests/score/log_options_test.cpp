#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "host_error.h"
#include "options.h"

namespace zqthost {
namespace {

Options Parse(std::vector<std::string_view> args) {
  return ParseOptions(args);
}

TEST(LogOptions, LogFileWithCountryFileBandAndMultipliers) {
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

TEST(LogOptions, RefusesWhatCannotBeMeant) {
  const std::vector<std::vector<std::string_view>> refused = {{"--log", "a.log", "--script", "s.txt"},
                                                              {"--log", "a.log", "qsos.txt"},
                                                              {"--cty", "cty.dat"},
                                                              {"--verbose-mults"},
                                                              {"--band", "15m", "qsos.txt"},
                                                              {"--log", "a.log", "--band", "14"},
                                                              {"--log"}};
  for (const auto& args : refused) {
    try {
      Parse(args);
      ADD_FAILURE() << "accepted " << args.front() << " ...";
    } catch (const HostError& error) {
      EXPECT_EQ(error.code(), ExitCode::kUsage) << error.what();
    }
  }
}

}  // namespace
}  // namespace zqthost
