#include "record_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <ostream>
#include <string>

namespace zqthost {
namespace {

// The offsets of the six slots a QSO fills: call, band, mode, continent, main prefix and DXCC prefix.
constexpr std::array<std::size_t, 6> kSlots = {268, 540, 796, 1052, 2332, 2588};
constexpr std::size_t kReport = 1308;
constexpr unsigned char kFill = 0xAA;

// A QSO line and the texts the host puts in the six slots for it.
struct Filling {
  std::string name;
  std::string line;
  std::array<std::string, 6> texts;
};

void PrintTo(const Filling& row, std::ostream* os) {
  *os << row.name;
}

class RecordBuilder : public ::testing::TestWithParam<Filling> {};

TEST_P(RecordBuilder, PutsEachTextAtItsOffsetAndLeavesTheOtherBytes) {
  TContestData record;
  std::memset(&record, kFill, sizeof record);
  SetQso(record, ParseQsoLine(GetParam().line));
  const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
  for (std::size_t i = 0; i < kSlots.size(); ++i) {
    const std::string& text = GetParam().texts[i];
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + kSlots[i] + 1), bytes[kSlots[i]]), text);
    EXPECT_EQ(bytes[kSlots[i] + 1 + text.size()], kFill) << "bytes after the text are left alone";
  }
  EXPECT_EQ(bytes[kReport], kFill) << "the received report is the module's to write";
}

INSTANTIATE_TEST_SUITE_P(Qsos, RecordBuilder,
                         ::testing::Values(Filling{"QsoLandsAtTheRecordsOffsets",
                                                   "VK2XYZ\t21\tRTTY\tOC\tVK2\tVK\t2024-01-06",
                                                   {"VK2XYZ", "21", "RTTY", "OC", "VK2", "VK"}},
                                           Filling{"TextIsCutAt255",
                                                   std::string(300, 'x') + "\t20m\tRTTY\tEU\tDL1\tDL",
                                                   {std::string(255, 'x'), "20m", "RTTY", "EU", "DL1", "DL"}},
                                           Filling{"EightBitTextSurvives",
                                                   "\xC0\xC1\xFF\x01\t20m\tRTTY\tEU\tDL1\tDL",
                                                   {"\xC0\xC1\xFF\x01", "20m", "RTTY", "EU", "DL1", "DL"}}),
                         [](const ::testing::TestParamInfo<Filling>& row) { return row.param.name; });

}  // namespace
}  // namespace zqthost
