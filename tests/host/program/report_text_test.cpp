#include "module_window.h"

#include <gtest/gtest.h>

namespace zqthost {
namespace {

TEST(ReportText, OnlyCrLfPairsBecomeLf) {
  EXPECT_EQ(UnixLines("a\r\nb\tc\r\n"), "a\nb\tc\n");
  EXPECT_EQ(UnixLines("a\rb\n\r"), "a\rb\n\r");
  EXPECT_EQ(UnixLines("\r\r\n"), "\r\n");
}

TEST(ReportText, BlockEndsWithItsOwnLine) {
  EXPECT_EQ(FormatReport(std::string("QSOs: 1\nScore: 3")), "report:\nQSOs: 1\nScore: 3\nend report");
  EXPECT_EQ(FormatReport(std::string("QSOs: 1\n")), "report:\nQSOs: 1\nend report");
  EXPECT_EQ(FormatReport(std::string()), "report:\nend report");
  EXPECT_EQ(FormatReport(std::nullopt), "report: none");
}

}  // namespace
}  // namespace zqthost
