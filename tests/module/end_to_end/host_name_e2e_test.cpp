// The module under a Japanese Windows, whose ANSI code page 932 writes 表 as 0x95 0x5C ("\" second) and グ as
// 0x83 0x4F ("O" second): a host named in such characters captions the module's error box with its name and
// keeps the placement under HKCU\Software\<name>, as a host named in ASCII does. CTest runs this suite under
// LC_ALL=ja_JP.UTF-8 and says so in ZQT_EXPECT_ACP.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/host_runner.h"

namespace zqt::test {
namespace {

TEST(HostNames, CaptionTheErrorBoxAndNameThePlacementKey) {
  const char* expected_code_page = std::getenv("ZQT_EXPECT_ACP");
  if (!expected_code_page)
    GTEST_SKIP() << "runs under a Japanese locale, as CTest's e2e_code_page_932";
  ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected_code_page))) << "the locale did not reach Wine";
  struct Case {
    std::wstring exe;
    std::wstring caption;
    std::wstring key;  // below HKCU\Software
  };
  const Case cases[] = {{L"\u8868.exe", L"\u8868", L"\u8868"},
                        {L"\u30ED\u30B0.exe", L"\u30ED\u30B0", L"\u30ED\u30B0"},
                        {L"LOGGER.New.exe", L"Logger", L"LOGGER.New"}};
  for (const Case& c : cases) {
    const std::wstring key = L"Software\\" + c.key;
    const HostRun run = HostFixture(c.exe).Run("table\tNoSuchLog\nrun\npump\t200\nrelease\nwait-gone\n");
    const std::string box = run.Value("box: ");
    EXPECT_EQ(WideFromAnsi(box.substr(0, box.find('|'))), c.caption) << run.output;
    HKEY section = nullptr;
    DWORD values = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (key + L"\\TfmMainForm").c_str(), 0, KEY_READ, &section) ==
        ERROR_SUCCESS) {
      RegQueryInfoKeyW(section, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                       nullptr, nullptr, nullptr);
      RegCloseKey(section);
    }
    EXPECT_EQ(values, 10u) << "the values the release writes, under HKCU\\" << AnsiFromWide(key) << "\n"
                           << run.output;
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  }
}

}  // namespace
}  // namespace zqt::test
