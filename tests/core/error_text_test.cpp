#include <gtest/gtest.h>

#include "core/error_text.h"

namespace zqt {
namespace {

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersAboveIt) {
  EXPECT_EQ(ErrorBoxText("LogQuery: Field 'QSOReportRecived' not found"),
            "LogQuery: Field 'QSOReportRecived' not found.");
  EXPECT_EQ(ErrorBoxText("no such table: Log"), "no such table: Log.");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Really?"), "Really?.");  // '?' is above '.'
  EXPECT_EQ(ErrorBoxText("(x)"), "(x)");           // ')' is below '.'
  EXPECT_EQ(ErrorBoxText("a-"), "a-");
  EXPECT_EQ(ErrorBoxText(""), "");
  EXPECT_EQ(ErrorBoxText("caf\xE9"), "caf\xE9.");
}

TEST(ApplicationTitle, FileNameUpToItsFirstDotWithTheRestLowerCase) {
  EXPECT_EQ(ApplicationTitle("C:\\Logs\\LOGGER.EXE"), "Logger");
  EXPECT_EQ(ApplicationTitle("D:\\Logs\\Logger.new.exe"), "Logger");
  EXPECT_EQ(ApplicationTitle("C:\\zqthost.exe"), "zqthost");
  EXPECT_EQ(ApplicationTitle("Z:/tmp/ZqtHost.exe"), "Zqthost");
  EXPECT_EQ(ApplicationTitle("C:noext"), "noext");
  EXPECT_EQ(ApplicationTitle("C:\\a.b\\HOST"), "Host");
}

}  // namespace
}  // namespace zqt
