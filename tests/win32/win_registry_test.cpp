// The open store over the real registry: text round trips, value types and keys that cannot be written.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/error.h"
#include "placement/reg_ini_file.h"
#include "support/test_key.h"
#include "win32/win_registry.h"

namespace zqt::win32 {
namespace {

using test::TestKey;

constexpr char kSection[] = "TfmMainForm";

class WinRegistryTest : public ::testing::Test {
 protected:
  // A raw value in the test key's section, written past the store.
  void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY section = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (key.Path() + "\\" + kSection).c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &section, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(section, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(section);
  }

  bool SectionExists() const {
    HKEY section = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (key.Path() + "\\" + kSection).c_str(), 0, KEY_READ, &section) !=
        ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(section);
    return true;
  }

  std::string ErrorOf(auto&& action) {
    try {
      action();
    } catch (const Error& error) {
      return error.what();
    }
    return "no error";
  }

  TestKey key;
  WinRegistry registry;
};

TEST_F(WinRegistryTest, WritesTextThatReadsBack) {
  {
    TRegIniFile store(registry, key.Path(), false);
    store.WriteString(kSection, "CurrentBand", "20m");
    store.WriteInteger(kSection, "ShowCmd", -3);
    store.WriteBool(kSection, "Visible", true);
  }
  TRegIniFile store(registry, key.Path(), true);
  EXPECT_EQ(store.ReadString(kSection, "CurrentBand", "1"), "20m");
  EXPECT_EQ(store.ReadInteger(kSection, "ShowCmd", 0), -3);
  EXPECT_EQ(store.ReadString(kSection, "Visible", ""), "1");
  EXPECT_EQ(store.ReadString(kSection, "Absent", "default"), "default");
  EXPECT_EQ(store.ReadInteger("OtherSection", "ShowCmd", 7), 7);

  DWORD type = 0;
  char data[16] = {};
  DWORD size = sizeof(data);
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, (key.Path() + "\\" + kSection).c_str(), "ShowCmd", RRF_RT_ANY,
                         &type, data, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 3u);
}

TEST_F(WinRegistryTest, ReadOnlyStoreCreatesTheModuleKeyButNotTheSection) {
  TRegIniFile store(registry, key.Path(), true);
  EXPECT_TRUE(store.HasKey());
  EXPECT_EQ(store.ReadString(kSection, "NormPos", "default"), "default");
  EXPECT_FALSE(SectionExists());
  EXPECT_EQ(ErrorOf([&] { store.WriteString(kSection, "NormPos", "1,2,3,4"); }),
            "Failed to set data for 'NormPos'");
}

TEST_F(WinRegistryTest, OnlyTextTypesRead) {
  const DWORD number = 5;
  SetRaw("Flags", REG_DWORD, &number, sizeof(number));
  const char expand[] = "%TEMP%\\x";
  SetRaw("Path", REG_EXPAND_SZ, expand, sizeof(expand));
  SetRaw("Empty", REG_SZ, "", 0);
  TRegIniFile store(registry, key.Path(), true);
  EXPECT_EQ(ErrorOf([&] { store.ReadInteger(kSection, "Flags", 0); }), "Invalid data type for 'Flags'");
  EXPECT_EQ(store.ReadString(kSection, "Path", ""), "%TEMP%\\x");
  EXPECT_EQ(store.ReadString(kSection, "Empty", "default"), "");
}

// Below a volatile key only volatile keys can be created; the store creates ordinary ones.
TEST_F(WinRegistryTest, KeysThatCannotBeCreatedFailTheWrite) {
  HKEY volatile_key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &volatile_key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(volatile_key);

  TRegIniFile sectionless(registry, key.Path(), false);
  EXPECT_TRUE(sectionless.HasKey());
  EXPECT_EQ(ErrorOf([&] { sectionless.WriteString(kSection, "Flags", "0"); }),
            "Failed to create key TfmMainForm");

  TRegIniFile keyless(registry, key.Path() + "\\Module", false);
  EXPECT_FALSE(keyless.HasKey());
  EXPECT_EQ(keyless.ReadString(kSection, "Flags", "default"), "default");
  EXPECT_EQ(ErrorOf([&] { keyless.WriteString(kSection, "Flags", "0"); }),
            "Failed to create key TfmMainForm");
}

}  // namespace
}  // namespace zqt::win32
