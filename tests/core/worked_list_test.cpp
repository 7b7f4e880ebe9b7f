#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/worked_list.h"

namespace zqt {
namespace {

TEST(IsDupe, SameCallBandAndModeOnlyWithExactText) {
  WorkedList list;
  EXPECT_FALSE(list.IsDupe("K1ABC", "20m", "RTTY"));
  list.AddWorked("K1ABC", "20m", "RTTY");
  EXPECT_TRUE(list.IsDupe("K1ABC", "20m", "RTTY"));
  EXPECT_FALSE(list.IsDupe("K1ABC", "20m", "CW"));
  EXPECT_FALSE(list.IsDupe("K1ABC", "15m", "RTTY"));
  EXPECT_FALSE(list.IsDupe("k1abc", "20m", "RTTY"));
  EXPECT_FALSE(list.IsDupe("K1ABC", "20M", "RTTY"));
  EXPECT_FALSE(list.IsDupe("K1AB", "20m", "RTTY"));
}

TEST(IsDupe, BandAndModeStayApartWhateverBytesTheyHold) {
  WorkedList list;
  list.AddWorked("K1A", "20", "mRTTY");
  list.AddWorked("K1A", "", "");
  list.AddWorked("K1A", std::string_view("2\0", 2), "0m");
  EXPECT_FALSE(list.IsDupe("K1A", "20m", "RTTY"));
  EXPECT_FALSE(list.IsDupe("K1A", "2", "0m"));
  EXPECT_TRUE(list.IsDupe("K1A", "20", "mRTTY"));
  EXPECT_TRUE(list.IsDupe("K1A", "", ""));
  EXPECT_TRUE(list.IsDupe("K1A", std::string_view("2\0", 2), "0m"));
  EXPECT_EQ(list[0].Band, "20");
  EXPECT_EQ(list[0].Mode, "mRTTY");
  // A call holds what a record's slot holds, 255 characters.
  const std::string longest(255, '\xFF');
  list.AddWorked(longest, "20m", "RTTY");
  EXPECT_EQ(list[list.Count() - 1].Call, longest);
  EXPECT_TRUE(list.IsDupe(longest, "20m", "RTTY"));
}

TEST(IsDupe, ScansTheWholeRunOfACallFromItsFirstEntry) {
  WorkedList list;
  // Index 0 holds the matching band; the search lands later in the run.
  list.AddWorked("AA1A", "80m", "RTTY");
  for (const char* band : {"40m", "20m", "15m", "10m", "160m"})
    list.AddWorked("AA1A", band, "RTTY");
  EXPECT_TRUE(list.IsDupe("AA1A", "80m", "RTTY"));
  // A run that reaches the end of the list is scanned to its last entry.
  list.AddWorked("ZZ9Z", "20m", "RTTY");
  list.AddWorked("ZZ9Z", "15m", "RTTY");
  list.AddWorked("ZZ9Z", "10m", "RTTY");
  EXPECT_TRUE(list.IsDupe("ZZ9Z", "10m", "RTTY"));
  EXPECT_FALSE(list.IsDupe("ZZ9Z", "80m", "RTTY"));
}

TEST(IsDupe, EntriesOutOfPlaceAreFoundBeforeAndAfterTheyAreSortedIn) {
  WorkedList list;
  for (const char* call : {"K1AA", "K9ZZ", "K9ZZA", "K9ZZB", "K9ZZC", "K9ZZD", "K9ZZE", "K9ZZF", "K9ZZG"})
    list.AddWorked(call, "20m", "RTTY");
  // Out of place, and too few to be sorted in yet: the hash finds it, and only with its band and mode.
  list.AddWorked("K5MM", "20m", "RTTY");
  EXPECT_TRUE(list.IsDupe("K5MM", "20m", "RTTY"));
  EXPECT_FALSE(list.IsDupe("K5MM", "20m", "CW"));
  EXPECT_FALSE(list.IsDupe("K5M", "20m", "RTTY"));
  EXPECT_TRUE(list.IsDupe("K1AA", "20m", "RTTY"));
  EXPECT_FALSE(list.IsDupe("K9ZZ", "15m", "RTTY"));
  EXPECT_EQ(list[1].Call, "K5MM") << "read in order";
  EXPECT_TRUE(list.IsDupe("K9ZZ", "20m", "RTTY"));
  EXPECT_TRUE(list.IsDupe("K5MM", "20m", "RTTY"));
  EXPECT_FALSE(list.IsDupe("K9ZZZ", "20m", "RTTY"));
  EXPECT_FALSE(list.IsDupe("\xFF", "20m", "RTTY"));
}

TEST(SortWorked, OrdersByUnsignedBytesWithCapitalsBeforeLowerCase) {
  WorkedList list;
  for (const char* call : {"k1aa", "K1AB", "\xC0", "K1A", "9A1A", "K1AA"})
    list.AddWorked(call, "20m", "RTTY");
  std::vector<std::string> calls;
  for (std::size_t i = 0; i < list.Count(); ++i)
    calls.emplace_back(list[i].Call);
  EXPECT_EQ(calls, (std::vector<std::string>{"9A1A", "K1A", "K1AA", "K1AB", "k1aa", "\xC0"}));
}

TEST(SortWorked, EntriesSortedInAgreeWithAFullSortAndStayFound) {
  std::mt19937 rng(7);
  WorkedList list;
  std::vector<std::string> all;
  for (int i = 0; i < 3000; ++i) {
    const std::string call = "K" + std::to_string(rng() % 500);
    all.push_back(call);
    list.AddWorked(call, "20m", "RTTY");
    ASSERT_TRUE(list.IsDupe(call, "20m", "RTTY")) << i;
  }
  std::sort(all.begin(), all.end());
  ASSERT_EQ(list.Count(), all.size());
  for (std::size_t i = 0; i < all.size(); ++i)
    ASSERT_EQ(list[i].Call, all[i]);
  for (const std::string& call : all)
    ASSERT_TRUE(list.IsDupe(call, "20m", "RTTY"));
}

}  // namespace
}  // namespace zqt
