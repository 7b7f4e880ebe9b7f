// The live tally, fed QSOs in any arrival order, must equal a recount of the same log from scratch and an
// independent count of the same QSOs.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/ascii_case.h"
#include "core/rebuild.h"
#include "support/user_collation.h"
#include "support/counting_pump.h"
#include "support/fake_query.h"
#include "support/qso_fixture.h"
#include "support/tally_model.h"

namespace zqt {
namespace {

using test::UserCollation;

std::size_t Pick(std::mt19937& rng, std::size_t n) {
  return static_cast<std::size_t>(rng()) % n;
}

struct Station {
  std::string call, continent, main_prefix, dxcc;
};

// A realistic mix: the four call-area entities and a spread of others, with /P and lower-case calls.
std::vector<Station> Stations(std::mt19937& rng) {
  struct Entity {
    const char* prefix;
    const char* dxcc;
    const char* continent;
    bool areas;
  };
  const Entity entities[] = {{"JA", "JA", "AS", true},  {"K", "K", "NA", true},     {"W", "K", "NA", true},
                             {"N", "K", "NA", true},    {"VE", "VE", "NA", true},   {"VK", "VK", "OC", true},
                             {"DL", "DL", "EU", false}, {"G", "G", "EU", false},    {"UA", "UA", "EU", false},
                             {"PY", "PY", "SA", false}, {"ZS", "ZS", "AF", false},  {"BY", "BY", "AS", false},
                             {"LU", "LU", "SA", false}, {"EA8", "EA8", "AF", false}};
  std::vector<Station> stations;
  for (int i = 0; i < 700; ++i) {
    const Entity& e = entities[Pick(rng, std::size(entities))];
    const std::string digit = std::to_string(Pick(rng, 10));
    std::string suffix;
    for (std::size_t n = 1 + Pick(rng, 3); n > 0; --n)
      suffix += static_cast<char>('A' + Pick(rng, 26));
    std::string call = e.prefix + digit + suffix;
    if (Pick(rng, 25) == 0)
      call += "/P";
    if (Pick(rng, 30) == 0)
      call = ToLowerAscii(call);
    const std::string area = e.areas ? std::string(e.dxcc) + digit : std::string(e.prefix) + digit;
    stations.push_back({call, e.continent, area, e.dxcc});
  }
  return stations;
}

TEST(LiveVersusRecount, SameTallyInAnyArrivalOrder) {
  std::mt19937 rng(20241028);
  const std::vector<Station> stations = Stations(rng);
  const char* bands[] = {"80m", "40m", "20m", "15m", "10m"};
  const char* modes[] = {"RTTY", "RTTY", "RTTY", "CW"};
  std::vector<test::Qso> log;
  test::TallyModel model(UserCollation());
  for (int i = 0; i < 4000; ++i) {
    const Station& s = stations[Pick(rng, stations.size())];
    log.push_back({s.call, bands[Pick(rng, 5)], modes[Pick(rng, 4)], s.continent, s.main_prefix, s.dxcc});
    model.Offer(log.back());
  }

  for (int round = 0; round < 3; ++round) {
    std::shuffle(log.begin(), log.end(), rng);
    Tally live(UserCollation());
    for (const test::Qso& q : log)
      live.CountQSO(test::Record(q));

    // The recount reads the log ordered by call as an engine with a case-insensitive collation would.
    std::vector<test::LogRow> ordered;
    for (const test::Qso& q : log)
      ordered.push_back(test::RowOf(q));
    std::stable_sort(ordered.begin(), ordered.end(), [](const test::LogRow& a, const test::LogRow& b) {
      return UserCollation().Compare(a[3], b[3]) < 0;  // CallSign
    });
    Tally recount(UserCollation());
    TContestData buffer{};
    WriteText(buffer.LogTable, "Log");
    test::FakeQuery query(ordered);
    test::CountingPump pump;
    RecalcFromLog(recount, buffer, query, pump, [] {});

    EXPECT_EQ(live.ShowStatistic(), model.Report());
    EXPECT_EQ(recount.ShowStatistic(), model.Report());
  }
}

}  // namespace
}  // namespace zqt
