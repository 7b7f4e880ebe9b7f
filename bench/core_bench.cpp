// The cost of one QSO at 1k, 10k and 100k worked QSOs: the duplicate check, and the check-count-sort step
// with the tail merge next to the same step with a full re-sort of the list.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/locale_collation.h"
#include "core/tally.h"

namespace {

TContestData QsoRecord(const std::string& call, const char* band) {
  TContestData r{};
  zqt::WriteText(r.CallSign, call);
  zqt::WriteText(r.DigiBand, band);
  zqt::WriteText(r.QSOMode, "RTTY");
  zqt::WriteText(r.Continent, "EU");
  zqt::WriteText(r.MainPrefix, "DL1");
  zqt::WriteText(r.DXCCPrefix, "DL");
  return r;
}

std::string Call(std::mt19937& rng) {
  std::string call = "DL" + std::to_string(rng() % 10u);
  for (int i = 0; i < 4; ++i)
    call += static_cast<char>('A' + static_cast<int>(rng() % 26u));
  return call;
}

// A tally holding n worked QSOs in random calls.
zqt::Tally Filled(std::size_t n, std::mt19937& rng) {
  static const zqt::LocaleCollation collation;
  zqt::Tally tally(collation);
  for (std::size_t i = 0; i < n; ++i)
    tally.CheckQSO(QsoRecord(Call(rng) + std::to_string(i), "20m"), true);
  tally.SortWorked();
  return tally;
}

void IsDupe(benchmark::State& state) {
  std::mt19937 rng(1);
  zqt::Tally tally = Filled(static_cast<std::size_t>(state.range(0)), rng);
  std::vector<TContestData> probes;
  for (int i = 0; i < 1024; ++i)
    probes.push_back(QsoRecord(Call(rng), i % 2 ? "20m" : "15m"));
  std::size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(tally.CheckQSO(probes[i++ % probes.size()], false));
}

void CountAndMerge(benchmark::State& state) {
  std::mt19937 rng(2);
  zqt::Tally tally = Filled(static_cast<std::size_t>(state.range(0)), rng);
  std::size_t serial = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const TContestData qso = QsoRecord(Call(rng) + "/" + std::to_string(serial++), "40m");
    state.ResumeTiming();
    if (tally.CheckQSO(qso, true) > 0)
      tally.SortWorked();
  }
}

// The same step when the whole worked list is sorted again after each QSO.
void CountAndFullResort(benchmark::State& state) {
  std::mt19937 rng(2);
  zqt::Tally tally = Filled(static_cast<std::size_t>(state.range(0)), rng);
  std::vector<zqt::TQSO> list;
  for (std::size_t i = 0; i < tally.Worked().Count(); ++i)
    list.push_back(tally.Worked()[i]);
  std::size_t serial = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const TContestData qso = QsoRecord(Call(rng) + "/" + std::to_string(serial++), "40m");
    state.ResumeTiming();
    if (tally.CheckQSO(qso, false) > 0) {
      list.push_back({zqt::ReadText(qso.CallSign), zqt::ReadText(qso.DigiBand), zqt::ReadText(qso.QSOMode)});
      std::sort(list.begin(), list.end(),
                [](const zqt::TQSO& a, const zqt::TQSO& b) { return zqt::CompareQSOCall(a, b) < 0; });
    }
  }
}

// Growth of the list during a run is bounded to a few per cent by the iteration count.
BENCHMARK(IsDupe)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(CountAndMerge)->Arg(1000)->Iterations(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(CountAndMerge)->Arg(10000)->Iterations(500)->Unit(benchmark::kMicrosecond);
BENCHMARK(CountAndMerge)->Arg(100000)->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CountAndFullResort)->Arg(1000)->Iterations(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(CountAndFullResort)->Arg(10000)->Iterations(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(CountAndFullResort)->Arg(100000)->Iterations(20)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
