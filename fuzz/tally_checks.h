#pragma once
// What a tally must show at every step: the independent model's count, and a report that reads back as it.

#include <array>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/tally.h"
#include "tally_model.h"

namespace zqt::fuzzing {

using WorkedQso = std::tuple<std::string_view, std::string_view, std::string_view>;

// The worked list's QSOs as (call, band, mode), sorted.
std::vector<WorkedQso> WorkedQsos(const Tally& tally);

// The report's four lines. The fourth is the rest of the text: only it holds texts from the QSOs, and a
// continent may hold a line break.
std::array<std::string_view, 4> ReportLines(std::string_view report);

// The QSO count, the worked list (in ordinal call order, the model's QSOs) and the texts of the six sets in
// their order are the model's.
void RequireSameTally(const Tally& tally, const TallyModel& model);

// The heading; the totals line holds the model's seven numbers, each padded to width 4; the score line
// repeats them with the score the formula gives; the Cont line lists the model's continents in their order.
void RequireReportOf(std::string_view report, const TallyModel& model);

}  // namespace zqt::fuzzing
