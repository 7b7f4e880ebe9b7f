// Engines order "order by CallSign" by their own collation. A log whose rows come out of ordinal order must
// count exactly like the same log in ordinal order.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "rebuild_fixture.h"
#include "support/test_data.h"

namespace zqt::test {
namespace {

using RebuildOrderTest = RebuildFixture;
INSTANTIATE_TEST_SUITE_P(Engines, RebuildOrderTest, AllEngines(), EngineTestName);
using Worked = std::vector<std::tuple<std::string, std::string, std::string>>;

Worked WorkedOf(const Tally& tally) {
  Worked worked;
  for (std::size_t i = 0; i < tally.Worked().Count(); ++i)
    worked.emplace_back(tally.Worked()[i].Call, tally.Worked()[i].Band, tally.Worked()[i].Mode);
  return worked;
}

// SQLite's NOCASE and PostgreSQL's ICU "en-US" order alike here.
TEST_P(RebuildOrderTest, LinguisticOrderPutsLowerCaseCallsBetweenAndRepeatsStayDuplicates) {
  const std::vector<Qso> rows = {{"K1AB", "20M", "RTTY", "NA", "K1", "K"},
                                 {"K1A", "20M", "RTTY", "NA", "K1", "K"},
                                 {"k1aa", "20M", "RTTY", "NA", "K1", "K"},
                                 {"K1AB", "20M", "RTTY", "NA", "K1", "K"}};
  CreateLogTable(connection, "Linguistic", LinguisticCollation(engine()));
  InsertQsos(connection, "Linguistic", rows);
  ASSERT_EQ(CallOrder(connection, "Linguistic"), (std::vector<std::string>{"K1A", "k1aa", "K1AB", "K1AB"}));

  Rebuild("Linguistic");
  EXPECT_EQ(tally.QsoCount(), 3);
  EXPECT_EQ(WorkedOf(tally),
            (Worked{{"K1A", "20M", "RTTY"}, {"K1AB", "20M", "RTTY"}, {"k1aa", "20M", "RTTY"}}));
}

// Calls made of prefixes and letters in either case, on three bands, one QSO in five in BPSK.
std::vector<Qso> RandomMixedCaseLog() {
  std::minstd_rand rng(20240210);
  const auto pick = [&rng](std::size_t n) { return static_cast<std::size_t>(rng()) % n; };
  const char* const prefixes[] = {"K1", "k1", "K1a", "VE3", "ve3", "JA1", "Ja1", "VK2", "DL"};
  const char* const dxcc[] = {"K", "K", "K", "VE", "VE", "JA", "JA", "VK", "DL"};
  const char* const continents[] = {"NA", "na", "NA", "NA", "Na", "AS", "as", "OC", "eu"};
  const char* const bands[] = {"20M", "40M", "80M"};
  std::vector<Qso> rows;
  for (int i = 0; i < 600; ++i) {
    const std::size_t p = pick(std::size(prefixes));
    std::string call = prefixes[p];
    for (std::size_t n = pick(3); n > 0; --n)
      call += "AaBb"[pick(4)];
    const std::string band = bands[pick(std::size(bands))];
    rows.push_back({call, band, pick(5) == 0 ? "BPSK" : "RTTY", continents[p],
                    std::string(prefixes[p]).substr(0, 3), dxcc[p]});
  }
  return rows;
}

// The QSO: lines of two bundled Cabrillo logs as log rows, every third call typed in lower case.
std::vector<Qso> HandTypedLogs() {
  std::vector<Qso> rows;
  for (const char* name : {"logs/cqww-rtty-2024-7n2uqc.log", "logs/cqww-rtty-2024-ve7io.log"}) {
    std::istringstream lines(ReadDataFile(name));
    std::string line;
    while (std::getline(lines, line)) {
      std::istringstream fields(line);
      std::string tag, khz, mode, date, time, own_call, rst_sent, zone_sent, call;
      if (!(fields >> tag >> khz >> mode >> date >> time >> own_call >> rst_sent >> zone_sent >> call) ||
          tag != "QSO:")
        continue;
      if (rows.size() % 3 == 0)
        for (char& c : call)
          c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      const std::string band = std::to_string(std::stoi(khz) / 1000) + "MHz";
      rows.push_back({call, band, mode, "NA", call.substr(0, 2), call.substr(0, 1)});
    }
  }
  return rows;
}

TEST_P(RebuildOrderTest, MixedCaseLogCountsLikeTheOrdinallySortedLog) {
  const std::vector<Qso> logs[] = {RandomMixedCaseLog(), HandTypedLogs()};
  for (std::size_t n = 0; n < std::size(logs); ++n) {
    const std::vector<Qso>& rows = logs[n];
    std::set<std::tuple<std::string, std::string, std::string>> distinct;
    for (const Qso& q : rows)
      distinct.emplace(q.call, q.band, q.mode);
    const std::string linguistic = "Linguistic" + std::to_string(n);
    const std::string ordinal = "Ordinal" + std::to_string(n);
    CreateLogTable(connection, linguistic, LinguisticCollation(engine()));
    CreateLogTable(connection, ordinal, OrdinalCollation(engine()));
    InsertQsos(connection, linguistic, rows);
    InsertQsos(connection, ordinal, rows);
    const std::vector<std::string> order = CallOrder(connection, linguistic);
    ASSERT_FALSE(std::is_sorted(order.begin(), order.end())) << "the log must come out of ordinal order";

    Rebuild(ordinal);
    const std::string sorted_report = tally.ShowStatistic();
    Rebuild(linguistic);
    EXPECT_EQ(tally.ShowStatistic(), sorted_report) << linguistic;
    EXPECT_EQ(tally.QsoCount(), static_cast<std::int64_t>(distinct.size())) << linguistic;
    // Every distinct QSO once, in ordinal order of calls (rows of one call keep their arrival order).
    const Worked worked = WorkedOf(tally);
    EXPECT_TRUE(std::is_sorted(worked.begin(), worked.end(),
                               [](const auto& a, const auto& b) { return std::get<0>(a) < std::get<0>(b); }));
    EXPECT_EQ(std::set(worked.begin(), worked.end()), distinct) << linguistic;
  }
}

}  // namespace
}  // namespace zqt::test
