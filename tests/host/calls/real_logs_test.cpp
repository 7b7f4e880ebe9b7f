// The two published CQ WW RTTY logs read against the full country file of the system. The expected counts
// were taken from the files with awk (JA/7K-7N/8J-8N calls by their digit; W and VE stations by the state
// or province they sent), then moved by hand for the portable calls (KH6ND/W7 is K7, KB1EFS/2 is K2,
// 4U1WB is K1).

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "calls/cty_database.h"
#include "calls/qso_resolution.h"
#include "log_files/cabrillo_reader.h"
#include "support/test_data.h"

namespace zqt::calls {
namespace {

using ::zqt::log_files::LogQso;
using ::zqt::log_files::ReadCabrillo;
using ::zqt::log_files::ReadResult;
using ::zqt::test::ReadDataFile;

using AreaCounts = std::map<std::string, int>;

class RealLogs : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(ZQT_SYSTEM_CTY))
      GTEST_SKIP() << ZQT_SYSTEM_CTY << " is not installed";
    cty_ = std::make_unique<CtyDatabase>(CtyDatabase::Load(ZQT_SYSTEM_CTY));
  }

  // QSOs per main prefix of one entity.
  AreaCounts Areas(const ReadResult& log, std::string_view dxcc_prefix) const {
    AreaCounts areas;
    for (const LogQso& qso : log.qsos) {
      const Resolution resolution = ResolveQso(*cty_, qso);
      if (resolution.dxcc_prefix == dxcc_prefix)
        ++areas[resolution.main_prefix];
    }
    return areas;
  }

  // The DXCC prefixes of a log's QSOs; "" stands for calls of no entity.
  std::set<std::string> Entities(const ReadResult& log) const {
    std::set<std::string> entities;
    for (const LogQso& qso : log.qsos)
      entities.insert(ResolveQso(*cty_, qso).dxcc_prefix);
    return entities;
  }

  std::unique_ptr<CtyDatabase> cty_;
  const ReadResult japan_ = ReadCabrillo(ReadDataFile("logs/cqww-rtty-2024-7n2uqc.log"));
  const ReadResult canada_ = ReadCabrillo(ReadDataFile("logs/cqww-rtty-2024-ve7io.log"));
};

TEST_F(RealLogs, EveryQsoLineIsRead) {
  EXPECT_TRUE(japan_.problems.empty());
  EXPECT_TRUE(canada_.problems.empty());
  ASSERT_EQ(japan_.qsos.size(), 615u);
  ASSERT_EQ(canada_.qsos.size(), 613u);
  const std::set<std::string> bands = {"80m", "40m", "20m", "15m", "10m"};
  for (const ReadResult* log : {&japan_, &canada_}) {
    for (const LogQso& qso : log->qsos) {
      EXPECT_EQ(qso.mode, "RTTY") << qso.line;
      EXPECT_TRUE(bands.contains(qso.band)) << qso.line;
      EXPECT_EQ(qso.report.substr(0, 4), "599 ") << qso.line;
    }
  }
  EXPECT_EQ(japan_.qsos.front().call, "NJ4P");
  EXPECT_EQ(japan_.qsos.front().line, 21);
  EXPECT_EQ(canada_.qsos.back().line, 631);
}

TEST_F(RealLogs, TheFullCountryFileParses) {
  EXPECT_EQ(cty_->EntityCount(), 346u);
}

TEST_F(RealLogs, TheSentStateOrProvinceAgreesWithTheEntity) {
  const std::set<std::string> provinces = {"BC", "AB", "SK", "MB", "ON", "QC", "NB",
                                           "NS", "PE", "NL", "NU", "NT", "YT"};
  for (const ReadResult* log : {&japan_, &canada_}) {
    for (const LogQso& qso : log->qsos) {
      const std::string qth = qso.report.substr(qso.report.rfind(' ') + 1);
      const std::string expected = qth == "DX" ? "other" : provinces.contains(qth) ? "VE" : "K";
      const Resolution resolution = ResolveQso(*cty_, qso);
      const std::string entity =
          resolution.dxcc_prefix == "K" || resolution.dxcc_prefix == "VE" ? resolution.dxcc_prefix : "other";
      EXPECT_EQ(entity, expected) << qso.call << " line " << qso.line;
      EXPECT_FALSE(resolution.continent.empty()) << qso.call;
    }
  }
}

// Counted by a separate script over the same file with the WAE-only entities left out; the Sicilian
// stations count as Italy.
TEST_F(RealLogs, DxccEntitiesOfEachLog) {
  const std::set<std::string> japan_entities = Entities(japan_);
  const std::set<std::string> canada_entities = Entities(canada_);
  EXPECT_EQ(japan_entities.size(), 67u);
  EXPECT_EQ(canada_entities.size(), 45u);
  EXPECT_FALSE(japan_entities.contains(""));
  EXPECT_FALSE(canada_entities.contains(""));
  for (const char* call : {"IB9R", "IB9T", "IQ9RG", "IT9VCE"}) {
    const Resolution sicily = cty_->Resolve(call);
    EXPECT_EQ(sicily.dxcc_prefix, "I") << call;
    EXPECT_EQ(sicily.continent, "EU") << call;
  }
}

TEST_F(RealLogs, JapaneseStationsOfThe7n2uqcLogCoverAllTenAreas) {
  const AreaCounts expected = {{"JA0", 2}, {"JA1", 22}, {"JA2", 4}, {"JA3", 7}, {"JA4", 12},
                               {"JA5", 3}, {"JA6", 4},  {"JA7", 9}, {"JA8", 1}, {"JA9", 2}};
  EXPECT_EQ(Areas(japan_, "JA"), expected);
}

TEST_F(RealLogs, NorthAmericanAndAustralianAreasOfThe7n2uqcLog) {
  const AreaCounts usa = {{"K0", 16}, {"K1", 8},  {"K2", 2},  {"K3", 12}, {"K4", 13},
                          {"K5", 15}, {"K6", 45}, {"K7", 48}, {"K8", 3},  {"K9", 11}};
  EXPECT_EQ(Areas(japan_, "K"), usa);
  const AreaCounts canada = {{"VE3", 1}, {"VE5", 2}, {"VE6", 1}, {"VE7", 14}};
  EXPECT_EQ(Areas(japan_, "VE"), canada);
  const AreaCounts australia = {{"VK3", 1}, {"VK4", 3}};  // VK3GF, VK4SN and VL4Y twice; VK9DX is Norfolk
  EXPECT_EQ(Areas(japan_, "VK"), australia);
}

TEST_F(RealLogs, AreasOfTheVe7ioLog) {
  const AreaCounts usa = {{"K0", 54}, {"K1", 13}, {"K2", 31}, {"K3", 31}, {"K4", 39},
                          {"K5", 35}, {"K6", 29}, {"K7", 29}, {"K8", 23}, {"K9", 41}};
  EXPECT_EQ(Areas(canada_, "K"), usa);
  const AreaCounts australia = {{"VK2", 1}, {"VK3", 1}, {"VK4", 2}};  // VL2Y, VJ3A, VK4ZP, VL4Y
  EXPECT_EQ(Areas(canada_, "VK"), australia);
  EXPECT_EQ(Areas(canada_, "JA").size(), 10u);
}

}  // namespace
}  // namespace zqt::calls
