// The open store over the in-memory registry: access masks, encodings and the exact error texts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "placement/reg_ini_file.h"
#include "placement/stored_values.h"
#include "support/fake_registry.h"

namespace zqt {
namespace {

using test::FakeRegistry;
using test::RecordedOpen;
using test::RecordedWrite;

constexpr char kKey[] = "Software\\Logger";
constexpr char kSection[] = "Software\\Logger\\TfmMainForm";

class RegIniFileTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(registry.OpenHandles(), 0u);
    EXPECT_EQ(registry.BadCloses(), 0);
  }

  std::string Read(std::string_view name, std::string_view fallback = "default") {
    TRegIniFile store(registry, kKey, true);
    return store.ReadString("TfmMainForm", name, fallback);
  }

  std::string ErrorOf(auto&& action) {
    try {
      action();
    } catch (const Error& error) {
      return error.what();
    }
    return "no error";
  }

  FakeRegistry registry;
};

TEST_F(RegIniFileTest, ReadOnlyStoreCreatesTheModuleKeyButNeverTheSection) {
  EXPECT_EQ(Read("NormPos"), "default");
  EXPECT_TRUE(registry.KeyExists(kKey));
  EXPECT_FALSE(registry.KeyExists(kSection));
  const std::vector<RecordedOpen> expected{{kKey, kKeyAllAccess, true}, {kSection, kKeyRead, false}};
  EXPECT_EQ(registry.Opens(), expected);
}

TEST_F(RegIniFileTest, WriteCreatesTheSectionWithAllAccessAndWritesText) {
  {
    TRegIniFile store(registry, "\\Software\\Logger", false);
    store.WriteInteger("TfmMainForm", "ShowCmd", -3);
    store.WriteBool("TfmMainForm", "Visible", true);
  }
  const std::vector<RecordedOpen> expected{{kKey, kKeyAllAccess, true},
                                           {kSection, kKeyAllAccess, true},
                                           {kSection, kKeyAllAccess, false},
                                           {kSection, kKeyAllAccess, true},
                                           {kSection, kKeyAllAccess, false}};
  EXPECT_EQ(registry.Opens(), expected);
  const std::vector<RecordedWrite> writes{{kSection, "ShowCmd", "-3"}, {kSection, "Visible", "1"}};
  EXPECT_EQ(registry.Writes(), writes);
}

TEST_F(RegIniFileTest, ReadsStringValuesUpToTheirZeroByte) {
  registry.SetValue(kSection, "Plain", kRegSz, std::string("ab\0cd", 5));
  registry.SetValue(kSection, "Expand", kRegExpandSz, std::string("%TEMP%\\x\0", 9));
  registry.SetValue(kSection, "Unterminated", kRegSz, "xyz");
  registry.SetValue(kSection, "Empty", kRegSz, "");
  registry.SetValue(kSection, "EmptyNumber", kRegDword, "");
  EXPECT_EQ(Read("plain"), "ab");
  EXPECT_EQ(Read("Expand"), "%TEMP%\\x");
  EXPECT_EQ(Read("Unterminated"), "xyz");
  EXPECT_EQ(Read("Empty"), "");
  EXPECT_EQ(Read("EmptyNumber"), "");
  EXPECT_EQ(Read("Absent"), "default");
}

TEST_F(RegIniFileTest, ReadErrorsNameTheValue) {
  registry.SetValue(kSection, "Flags", kRegDword, std::string(4, '\0'));
  registry.SetText(kSection, "NormPos", "1,2,3,4");
  registry.FailFetch("NormPos");
  EXPECT_EQ(ErrorOf([&] { Read("Flags"); }), "Invalid data type for 'Flags'");
  EXPECT_EQ(ErrorOf([&] { Read("NormPos"); }), "Failed to get data for 'NormPos'");
}

TEST_F(RegIniFileTest, ReadOnlyStoreCannotSetValues) {
  EXPECT_EQ(ErrorOf([&] { TRegIniFile(registry, kKey, true).WriteString("TfmMainForm", "B", "1"); }),
            "Failed to set data for 'B'");
  EXPECT_TRUE(registry.Writes().empty());
}

TEST(StoredValues, NamesAreUniqueIgnoringCase) {
  TStoredValues values;
  values.Add("CurrentBand", 1);
  try {
    values.Add("currentBAND", 2);
    FAIL() << "duplicate accepted";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "String list does not allow duplicates");
  }
  ASSERT_NE(values.Find("CURRENTBAND"), nullptr);
  EXPECT_EQ(values.Find("CURRENTBAND")->Value(), StoredVariant(1));
}

}  // namespace
}  // namespace zqt
