// The window's section in the real registry: what a write leaves, what a read gives, and keys that cannot be
// created.

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "support/test_key.h"
#include "win32/win_registry.h"

namespace zqt::win32 {
namespace {

using test::TestKey;

// The data each RegSetValueExA call of this executable hands the registry, while a recording runs. The
// registry adds a string's terminating zero byte when the caller leaves it out of the size and the byte after
// the text happens to be zero, as it is after a std::string's text: only the call shows a size without it.
class SetValueRecording {
 public:
  SetValueRecording() : slot_(ImportSlot("RegSetValueExA")) {
    original_ = *slot_;
    Patch(reinterpret_cast<void*>(&Record));
  }
  ~SetValueRecording() { Patch(original_); }
  SetValueRecording(const SetValueRecording&) = delete;
  SetValueRecording& operator=(const SetValueRecording&) = delete;

  // "NAME=DATA" of each call, the data as many bytes as the call's size gives.
  static inline std::vector<std::string> calls;

 private:
  using SetValue = LSTATUS(WINAPI*)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);
  static LSTATUS WINAPI Record(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                               DWORD size) {
    calls.push_back(std::string(name) + "=" + std::string(reinterpret_cast<const char*>(data), size));
    return reinterpret_cast<SetValue>(original_)(key, name, reserved, type, data, size);
  }
  // This executable's import address table entry of the named advapi32 function.
  static void** ImportSlot(std::string_view function) {
    auto* const base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name;
         ++dll) {
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
      for (; names->u1.AddressOfData; ++names, ++slots) {
        if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) &&
            function == reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name)
          return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
    throw std::runtime_error("this executable does not import " + std::string(function));
  }
  void Patch(void* function) {
    DWORD protection = 0;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
    *slot_ = function;
    VirtualProtect(slot_, sizeof *slot_, protection, &protection);
  }

  static inline void* original_ = nullptr;
  void** slot_;
};

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
  {
    const SetValueRecording recording;
    EXPECT_EQ(registry.Write("CurrentBand", "20m"), WriteResult::kWritten);
    EXPECT_EQ(registry.Write("ShowCmd", "-3"), WriteResult::kWritten);
  }
  EXPECT_EQ(SetValueRecording::calls,
            (std::vector<std::string>{std::string("CurrentBand=20m\0", 16), std::string("ShowCmd=-3\0", 11)}))
      << "a string value's size counts its zero byte";
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
  EXPECT_EQ(keyless.Write("Flags", "0"), WriteResult::kNoKey);
  keyless.Close();
  RegDeleteTreeA(HKEY_CURRENT_USER, root_section.c_str());
}

}  // namespace
}  // namespace zqt::win32
