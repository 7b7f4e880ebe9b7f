#include "record_builder.h"

#include <gtest/gtest.h>

#include <string>

namespace zqthost {
namespace {

TEST(RecordBuilder, QsoLandsAtTheRecordsOffsets) {
  TContestData record{};
  SetQso(record, ParseQsoLine("VK2XYZ\t21\tRTTY\tOC\tVK2\tVK\t2024-01-06"));
  const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 269), bytes[268]), "VK2XYZ");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 541), bytes[540]), "21");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 797), bytes[796]), "RTTY");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 1053), bytes[1052]), "OC");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 2333), bytes[2332]), "VK2");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 2589), bytes[2588]), "VK");
  EXPECT_EQ(bytes[1308], 0) << "the received report is the module's to write";
}

}  // namespace
}  // namespace zqthost
