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

}  // namespace
}  // namespace zqt
