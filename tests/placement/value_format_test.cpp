// The text rules of the store: integers, position words and texts, the screen-size suffix, the default key
// path and the text of a stored value.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/error.h"
#include "placement/value_format.h"

namespace zqt {
namespace {

constexpr std::int32_t kDefault = -77;

TEST(TextToInt, FollowsTheReadingRules) {
  struct Case {
    std::string_view text;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"0", 0},
      {"123", 123},
      {"   42", 42},
      {"+7", 7},
      {"-15", -15},
      {"-0", 0},
      {"0000000000012", 12},
      {"2147483647", std::numeric_limits<std::int32_t>::max()},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {"2147483648", kDefault},
      {"-2147483649", kDefault},
      {"99999999999999999999", kDefault},
      {"$FF", 255},
      {"xff", 255},
      {"X1A", 26},
      {"0x10", 16},
      {"0X7fffffff", std::numeric_limits<std::int32_t>::max()},
      {"$FFFFFFFF", -1},
      {"$80000000", std::numeric_limits<std::int32_t>::min()},
      {"$0000000000FF", 255},
      {"  $10", 16},
      {"$100000000", kDefault},
      {"$", kDefault},
      {"0x", kDefault},
      {"$G", kDefault},
      {"-$5", kDefault},
      {"0x-1", kDefault},
      {"", kDefault},
      {"   ", kDefault},
      {"-", kDefault},
      {"+-1", kDefault},
      {"\t5", kDefault},
      {"5 ", kDefault},
      {"12abc", kDefault},
      {"1e3", kDefault},
      {"1.5", kDefault},
      {"00x5", kDefault},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToInt(c.text, kDefault), c.expected) << '"' << c.text << '"';
  }
}

TEST(PositionWord, SplitsOnRunsOfCommasAndBlanksAndConvertsEachWordOnItsOwn) {
  struct Case {
    std::string_view text;
    std::size_t n;
    std::int32_t expected;
  };
  const Case cases[] = {
      {" 100,,200", 1, 100},           {" 100,,200", 2, 200},
      {" 100,,200", 3, kDefault},      {"1, 2 ,3,,4", 4, 4},
      {",, ,", 1, kDefault},           {"", 1, kDefault},
      {"100,abc,$10,-4", 2, kDefault}, {"100,abc,$10,-4", 3, 16},
      {"100,abc,$10,-4", 4, -4},       {"100,abc,$10,-4", 5, kDefault},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PositionWord(c.text, c.n, kDefault), c.expected) << '"' << c.text << "\" word " << c.n;
  }
}

TEST(ValueFormat, WritesPositionsAndTheScreenSizeSuffix) {
  EXPECT_EQ(PositionText(-1, 0, 2147483647, -2147483647 - 1), "-1,0,2147483647,-2147483648");
  EXPECT_EQ(ScreenSizeSuffix(1280, 1024), "(1280x1024)");
}

TEST(ValueText, IsAStringValuesTextUpToItsZeroByte) {
  constexpr std::uint32_t kRegBinary = 3;
  struct Case {
    SectionValue value;
    std::string expected;  // the text, or the error
  };
  const auto value = [](std::uint32_t type, std::string data) {
    return SectionValue{type, static_cast<std::uint32_t>(data.size()), data};
  };
  const Case cases[] = {
      {value(kRegSz, std::string("ab\0cd", 5)), "ab"},
      {value(kRegExpandSz, std::string("%TEMP%\\x\0", 9)), "%TEMP%\\x"},
      {value(kRegSz, "xyz"), "xyz"},
      {value(kRegSz, ""), ""},
      {value(kRegDword, ""), ""},
      {value(kRegDword, std::string(4, '\0')), "Invalid data type for 'Flags'"},
      {value(kRegBinary, "1,2,3,4"), "Invalid data type for 'Flags'"},
      {SectionValue{kRegSz, 8, std::nullopt}, "Failed to get data for 'Flags'"},
  };
  for (const auto& c : cases) {
    std::string text;
    try {
      text = ValueText("Flags", c.value);
    } catch (const Error& error) {
      text = error.what();
    }
    EXPECT_EQ(text, c.expected) << "type " << c.value.type << ", " << c.value.size << " bytes";
  }
}

}  // namespace
}  // namespace zqt
