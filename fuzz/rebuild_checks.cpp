#include "rebuild_checks.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "core/rebuild.h"
#include "record_decoding.h"
#include "require.h"
#include "support/counting_pump.h"
#include "support/log_columns.h"
#include "support/tally_model.h"
#include "tally_checks.h"

namespace zqt::fuzzing {
namespace {

std::string Cut(const std::string& value) {
  return value.substr(0, 255);
}

// A row as the rebuild stores it in the buffer: every value cut at 255 characters, the continent's ASCII
// letters in capitals.
test::Qso Stored(const test::LogRow& row) {
  test::LogRow cut;
  std::transform(row.begin(), row.end(), cut.begin(), Cut);
  test::Qso stored = test::QsoOf(cut);
  for (char& c : stored.continent) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return stored;
}

// The record with the seven row fields' slots blanked.
TContestData WithoutRowFields(TContestData record) {
  for (const TextField field : test::kModuleColumnSlots)
    std::memset(record.*field, 0, sizeof(record.*field));
  return record;
}

// The rows' tally counted live in ordinal call order has the same counts, QSOs and report lines 1-3. Line 4
// lists one text of each class of equal continents, the one that arrived first, which depends on the order
// of the rows: the two lists agree class by class.
void RequireSameAsLiveInOrdinalOrder(const Tally& tally, std::vector<test::Qso> stored,
                                     const Collation& collation) {
  std::stable_sort(stored.begin(), stored.end(),
                   [](const test::Qso& a, const test::Qso& b) { return a.call < b.call; });
  Tally live(collation);
  for (const test::Qso& qso : stored)
    live.CountQSO(test::Record(qso));
  Require(live.QsoCount() == tally.QsoCount() && live.Entities().Count() == tally.Entities().Count() &&
              live.JaAreas().Count() == tally.JaAreas().Count() &&
              live.WAreas().Count() == tally.WAreas().Count() &&
              live.VeAreas().Count() == tally.VeAreas().Count() &&
              live.VkAreas().Count() == tally.VkAreas().Count() &&
              live.Continents().Count() == tally.Continents().Count(),
          "the rebuild counts as the rows fed live in ordinal order");
  Require(WorkedQsos(live) == WorkedQsos(tally), "the rebuild works the QSOs the rows fed live do");
  const std::string rebuilt_report = tally.ShowStatistic();
  const std::string live_report = live.ShowStatistic();
  const auto rebuilt = ReportLines(rebuilt_report);
  const auto fed = ReportLines(live_report);
  Require(std::equal(rebuilt.begin(), rebuilt.begin() + 3, fed.begin()),
          "the report's first three lines are those of the rows fed live");
  const auto& a = tally.Continents().Items();
  const auto& b = live.Continents().Items();
  Require(std::equal(a.begin(), a.end(), b.begin(), b.end(),
                     [&collation](const std::string& x, const std::string& y) {
                       return collation.Compare(x, y) == 0;
                     }),
          "the continents listed are those of the rows fed live");
}

}  // namespace

void RebuildAndCheck(Tally& tally, TContestData& buffer, test::FakeQuery& query, std::uint8_t missing,
                     const Collation& collation) {
  const std::vector<test::LogRow>& rows = query.Rows();
  const TContestData before = buffer;
  const std::string table(reinterpret_cast<const char*>(buffer.LogTable + 1), buffer.LogTable[0]);
  const int opens_before = query.opens;
  test::CountingPump pump;
  int clears = 0;
  std::optional<std::string> error;
  try {
    RecalcFromLog(tally, buffer, query, pump, [&] {
      ++clears;
      Require(tally.QsoCount() == 0 && tally.Worked().Count() == 0 && tally.Entities().Count() == 0 &&
                  tally.Continents().Count() == 0,
              "the tally is empty when the report is cleared");
    });
  } catch (const Error& e) {
    error = e.what();
  }
  Require(query.open_cursors == 0, "no cursor is left open after a rebuild, error or not");
  Require(clears == 1, "every rebuild clears the report once");

  const std::size_t read = query.opens == opens_before ? 0 : query.rows_read;
  if (table.find_first_of(std::string_view(";\r\n\0", 4)) != std::string::npos) {
    Require(error && error->starts_with("Log table name '") && query.opens == opens_before,
            "a table name holding a statement separator is refused before the query runs");
  } else {
    Require(query.opens == opens_before + 1 && query.sql == "Select * from " + table + " order by CallSign",
            "the rebuild runs the log statement once");
    if (!error) {
      Require(read == rows.size(), "without an error every row is read");
    } else if (*error != test::kLostConnection) {
      const auto first = static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(missing & 0x7F)));
      Require(first < test::kModuleColumns.size() && !rows.empty() && read == 0 &&
                  *error == "LogQuery: Field '" + std::string(test::kModuleColumns[first]) + "' not found",
              "a missing column fails the first row, naming the first one the rebuild reads");
    }
  }

  test::TallyModel model(collation);
  std::vector<test::Qso> stored;
  for (std::size_t i = 0; i < read; ++i) {
    stored.push_back(Stored(rows[i]));
    model.Offer(stored.back());
  }
  RequireSameTally(tally, model);
  RequireSameAsLiveInOrdinalOrder(tally, std::move(stored), collation);

  const TContestData kept_before = WithoutRowFields(before);
  const TContestData kept_after = WithoutRowFields(buffer);
  Require(std::memcmp(&kept_before, &kept_after, sizeof kept_before) == 0,
          "the rebuild writes only the seven row fields of the buffer");
  if (!error && read > 0)
    Require(test::QsoOf(buffer) == Stored(rows.back()), "the buffer holds the last row");
}

}  // namespace zqt::fuzzing
