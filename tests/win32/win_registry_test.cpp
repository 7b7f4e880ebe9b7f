// The window's section in the real registry: what a write leaves, what a read gives, and keys that cannot be
// created.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/test_key.h"
#include "win32/win_registry.h"

namespace zqt::win32 {
namespace {

using test::TestKey;

class WinRegistryTest : public ::testing::Test {
 protected:
  std::string SectionPath() const { return key.Path() + "\\" + kSectionName; }

  // A raw value in the test key's section, written past the store.
  void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY section = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &section, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(section, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(section);
  }

  static bool KeyExists(const std::string& path) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(opened);
    return true;
  }

  TestKey key;
  WinRegistry registry{key.Path()};
};

TEST_F(WinRegistryTest, WritesStringValuesThatReadBack) {
  registry.Open(false);
  EXPECT_EQ(registry.Write("CurrentBand", "20m"), WriteResult::kWritten);
  EXPECT_EQ(registry.Write("ShowCmd", "-3"), WriteResult::kWritten);
  registry.Close();

  registry.Open(true);
  const auto band = registry.Read("currentBAND");
  ASSERT_TRUE(band.has_value());
  EXPECT_EQ(band->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(band->data, std::string("20m\0", 4));
  EXPECT_EQ(registry.Read("ShowCmd")->size, 3u);
  EXPECT_FALSE(registry.Read("Absent").has_value());
  registry.Close();
  EXPECT_FALSE(registry.Read("ShowCmd").has_value()) << "a closed store reads nothing";
}

TEST_F(WinRegistryTest, ReadOnlyStoreCreatesTheKeyButNotTheSectionAndSetsNothing) {
  registry.Open(true);
  EXPECT_FALSE(registry.Read("NormPos").has_value());
  EXPECT_TRUE(KeyExists(key.Path()));
  EXPECT_FALSE(KeyExists(SectionPath()));
  EXPECT_EQ(registry.Write("NormPos", "1,2,3,4"), WriteResult::kValueNotSet);
  registry.Close();
}

TEST_F(WinRegistryTest, ReadsValuesOfEveryTypeAsTheyAre) {
  const DWORD number = 5;
  SetRaw("Flags", REG_DWORD, &number, sizeof(number));
  const char expand[] = "%TEMP%\\x";
  SetRaw("Path", REG_EXPAND_SZ, expand, sizeof(expand));
  SetRaw("Empty", REG_SZ, "", 0);
  registry.Open(true);
  const auto flags = registry.Read("Flags");
  EXPECT_EQ(flags->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(flags->data, std::string("\5\0\0\0", 4));
  EXPECT_EQ(registry.Read("Path")->data, std::string(expand, sizeof(expand)));
  EXPECT_EQ(registry.Read("Empty")->size, 0u);
  registry.Close();
}

// Below a volatile key only volatile keys can be created; the store creates ordinary ones.
TEST_F(WinRegistryTest, KeysThatCannotBeCreatedFailTheWrite) {
  HKEY volatile_key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &volatile_key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(volatile_key);
  registry.Open(false);
  EXPECT_EQ(registry.Write("Flags", "0"), WriteResult::kSectionNotCreated);
  registry.Close();

  // Without its key the store neither reads nor writes the section anywhere else, such as below the root.
  const std::string root_section = kSectionName;
  HKEY planted = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, root_section.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &planted, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(planted, "Flags", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
  RegCloseKey(planted);
  WinRegistry keyless(key.Path() + "\\Module");
  keyless.Open(false);
  EXPECT_FALSE(keyless.Read("Flags").has_value());
  EXPECT_EQ(keyless.Write("Flags", "0"), WriteResult::kSectionNotCreated);
  keyless.Close();
  RegDeleteTreeA(HKEY_CURRENT_USER, root_section.c_str());
}

}  // namespace
}  // namespace zqt::win32
