// The text rules of the store: integers, position words and the default key path.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "placement/integer_text.h"
#include "placement/position_words.h"
#include "placement/store_names.h"

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

TEST(PositionWord, SplitsOnRunsOfCommasAndBlanks) {
  EXPECT_EQ(PositionWord(" 100,,200", 1), "100");
  EXPECT_EQ(PositionWord(" 100,,200", 2), "200");
  EXPECT_EQ(PositionWord(" 100,,200", 3), "");
  EXPECT_EQ(PositionWord("1, 2 ,3,,4", 4), "4");
  EXPECT_EQ(PositionWord(",, ,", 1), "");
  EXPECT_EQ(PositionWord("", 1), "");
}

TEST(PositionWord, ConvertsEachWordOnItsOwn) {
  EXPECT_EQ(PositionWordToInt("100,abc,$10,-4", 1, kDefault), 100);
  EXPECT_EQ(PositionWordToInt("100,abc,$10,-4", 2, kDefault), kDefault);
  EXPECT_EQ(PositionWordToInt("100,abc,$10,-4", 3, kDefault), 16);
  EXPECT_EQ(PositionWordToInt("100,abc,$10,-4", 4, kDefault), -4);
  EXPECT_EQ(PositionWordToInt("100,abc,$10,-4", 5, kDefault), kDefault);
}

TEST(DefaultStoreKey, IsTheHostFileNameWithoutDirectoryAndExtension) {
  EXPECT_EQ(DefaultStoreKey("D:\\Logs\\Logger.new.exe"), "Software\\Logger.new");
  EXPECT_EQ(DefaultStoreKey("C:\\HAM\\LOGGER.EXE"), "Software\\LOGGER");
  EXPECT_EQ(DefaultStoreKey("C:\\My.Logs\\logger"), "Software\\logger");
  EXPECT_EQ(DefaultStoreKey("C:logger.exe"), "Software\\logger");
  EXPECT_EQ(DefaultStoreKey("logger.exe"), "Software\\logger");
}

}  // namespace
}  // namespace zqt
