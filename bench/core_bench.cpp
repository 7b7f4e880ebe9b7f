// The cost of one QSO at 1k, 10k and 100k worked QSOs: the duplicate check, and the check-count-sort step
// with the tail merge next to the same step with a full re-sort of the list. And the heap bytes the tally
// holds per worked QSO at 1M QSOs, beside a list that keeps three strings per QSO.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

// Live heap bytes as the allocator hands them out, counted by the replaced global allocation functions.
namespace {
std::atomic<std::size_t> live_bytes{0};
}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr)
    throw std::bad_alloc();
  live_bytes += malloc_usable_size(block);
  return block;
}

void operator delete(void* block) noexcept {
  if (block != nullptr)
    live_bytes -= malloc_usable_size(block);
  std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
  operator delete(block);
}

#include "support/locale_collation.h"
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
    tally.CountQSO(QsoRecord(Call(rng) + std::to_string(i), "20m"));
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
    benchmark::DoNotOptimize(tally.CheckQSO(probes[i++ % probes.size()]));
}

void CountAndMerge(benchmark::State& state) {
  std::mt19937 rng(2);
  zqt::Tally tally = Filled(static_cast<std::size_t>(state.range(0)), rng);
  std::size_t serial = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const TContestData qso = QsoRecord(Call(rng) + "/" + std::to_string(serial++), "40m");
    state.ResumeTiming();
    tally.CountQSO(qso);
  }
}

// A worked QSO as three strings.
struct StringQso {
  std::string call, band, mode;
};

// The same step when the whole worked list is sorted again after each QSO.
void CountAndFullResort(benchmark::State& state) {
  std::mt19937 rng(2);
  zqt::Tally tally = Filled(static_cast<std::size_t>(state.range(0)), rng);
  std::vector<StringQso> list;
  for (std::size_t i = 0; i < tally.Worked().Count(); ++i) {
    const zqt::TQSO q = tally.Worked()[i];
    list.push_back({std::string(q.Call), std::string(q.Band), std::string(q.Mode)});
  }
  std::size_t serial = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const TContestData qso = QsoRecord(Call(rng) + "/" + std::to_string(serial++), "40m");
    state.ResumeTiming();
    if (tally.CheckQSO(qso) > 0) {
      list.push_back({std::string(zqt::TextView(qso.CallSign)), std::string(zqt::TextView(qso.DigiBand)),
                      std::string(zqt::TextView(qso.QSOMode))});
      std::sort(list.begin(), list.end(),
                [](const StringQso& a, const StringQso& b) { return a.call < b.call; });
    }
  }
}

// Heap bytes per worked QSO of a tally holding state.range(0) QSOs on five bands, beside the same QSOs kept
// as three strings each with a 4-byte order index (the layout the worked list had before).
void BytesPerWorkedQso(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const char* bands[] = {"80m", "40m", "20m", "15m", "10m"};
  for (auto _ : state) {
    std::mt19937 rng(3);
    const std::size_t before = live_bytes;
    static const zqt::LocaleCollation collation;
    zqt::Tally tally(collation);
    for (std::size_t i = 0; i < n; ++i)
      tally.CountQSO(QsoRecord(Call(rng) + std::to_string(i % 1000), bands[i % 5]));
    const std::size_t tally_bytes = live_bytes - before;

    const std::size_t strings_before = live_bytes;
    std::vector<StringQso> strings;
    std::vector<std::uint32_t> order;
    for (std::size_t i = 0; i < tally.Worked().Count(); ++i) {
      const zqt::TQSO q = tally.Worked()[i];
      strings.push_back({std::string(q.Call), std::string(q.Band), std::string(q.Mode)});
      order.push_back(static_cast<std::uint32_t>(i));
    }
    const std::size_t string_bytes = live_bytes - strings_before;
    state.counters["bytes_per_qso"] = static_cast<double>(tally_bytes) / static_cast<double>(n);
    state.counters["three_strings_bytes_per_qso"] =
        static_cast<double>(string_bytes) / static_cast<double>(n);
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
BENCHMARK(BytesPerWorkedQso)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
