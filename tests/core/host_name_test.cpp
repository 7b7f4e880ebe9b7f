#include <gtest/gtest.h>

#include <string>

#include "core/host_name.h"
#include "support/code_page_932.h"

namespace zqt {
namespace {

// The host's path gives the error box's caption and the placement's key, taken by characters of code page
// 932, where a trail byte may be "\" (表 is 0x95 0x5C) or an ASCII letter (グ is 0x83 0x4F).
TEST(HostName, CaptionAndKeyComeFromTheFileNameByCharacter) {
  struct Case {
    std::string path;
    std::string title;
    std::string key;
  };
  const Case cases[] = {
      {"C:\\Logs\\LOGGER.EXE", "Logger", "Software\\LOGGER"},
      {"D:\\Logs\\Logger.new.exe", "Logger", "Software\\Logger.new"},
      {"C:\\zqthost.exe", "zqthost", "Software\\zqthost"},
      // Only the caption takes "/" for a directory separator.
      {"Z:/tmp/ZqtHost.exe", "Zqthost", "Software\\/tmp/ZqtHost"},
      {"C:noext", "noext", "Software\\noext"},
      {"C:\\My.Logs\\HOST", "Host", "Software\\HOST"},
      {"logger.exe", "logger", "Software\\logger"},
      {"Z:\\tmp\\\x95\x5C.exe", "\x95\x5C", "Software\\\x95\x5C"},
      {"Z:\\\x95\x5C\\\x83\x8D\x83\x4F.exe", "\x83\x8D\x83\x4F", "Software\\\x83\x8D\x83\x4F"},
      // "グLOG": the first character stays whole, its second byte "O" too, and the letters after it are
      // lowered.
      {"C:\\\x83\x4F"
       "LOG.EXE",
       "\x83\x4F"
       "log",
       "Software\\\x83\x4F"
       "LOG"},
      // A lead byte without its trail byte ends the text.
      {"C:\\AB\x95", "Ab\x95", "Software\\AB\x95"},
      {"C:\\.exe", "", "Software\\"},
  };
  const test::CodePage932 code_page;
  for (const Case& c : cases) {
    EXPECT_EQ(ApplicationTitle(c.path, code_page), c.title) << c.path;
    EXPECT_EQ(DefaultStoreKey(c.path, code_page), c.key) << c.path;
  }
}

}  // namespace
}  // namespace zqt
