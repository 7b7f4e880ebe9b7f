#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/boundary_records.h"
#include "core/qso_buffer.h"

namespace zqt {
namespace {

TEST(LengthPrefixedText, ReadsTheLengthBytesWorthAndIgnoresTheRest) {
  ZqtText slot{};
  slot[0] = 3;
  std::copy_n("K1ABCDEF", 8, slot + 1);
  EXPECT_EQ(TextView(slot), "K1A");
  slot[0] = 0;
  EXPECT_EQ(TextView(slot), "");
}

TEST(LengthPrefixedText, WriteKeepsAtMost255CharactersAndLeavesTheTail) {
  ZqtText slot;
  std::fill(std::begin(slot), std::end(slot), std::uint8_t{0xAA});
  WriteText(slot, "JA1");
  EXPECT_EQ(slot[0], 3);
  EXPECT_EQ(TextView(slot), "JA1");
  EXPECT_EQ(slot[4], 0xAA);

  const std::string long_text(1000, 'x');
  WriteText(slot, long_text);
  EXPECT_EQ(slot[0], 255);
  EXPECT_EQ(TextView(slot), std::string(255, 'x'));

  WriteText(slot, std::string("a\0b", 3));
  EXPECT_EQ(TextView(slot), std::string("a\0b", 3));
}

TEST(QsoBuffer, CopiesExactlyOneRecordAndNeverWritesTheHostsRecord) {
  std::array<std::uint8_t, sizeof(TContestData) + 16> host{};
  for (std::size_t i = 0; i < host.size(); ++i)
    host[i] = static_cast<std::uint8_t>(i * 7);
  const auto before = host;
  QsoBuffer buffer;
  buffer.CopyIn(host.data());
  EXPECT_EQ(std::memcmp(&buffer.Data(), host.data(), sizeof(TContestData)), 0);
  EXPECT_EQ(host, before);
  // An empty call is an ordinary call.
  TContestData empty{};
  buffer.CopyIn(&empty);
  EXPECT_EQ(TextView(buffer.Data().CallSign), "");
}

}  // namespace
}  // namespace zqt
