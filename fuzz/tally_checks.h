#pragma once
// What a tally must show at every step: the independent model's count, and the model's report.

#include <array>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/tally.h"
#include "support/tally_model.h"

namespace zqt::fuzzing {

using WorkedQso = std::tuple<std::string_view, std::string_view, std::string_view>;

// The worked list's QSOs as (call, band, mode), sorted.
std::vector<WorkedQso> WorkedQsos(const Tally& tally);

// The report's four lines. The fourth is the rest of the text: only it holds texts from the QSOs, and a
// continent may hold a line break.
std::array<std::string_view, 4> ReportLines(std::string_view report);

// The QSO count, the worked list (in ordinal call order, the model's QSOs) and the texts of the six sets in
// their order are the model's, and so is the report.
void RequireSameTally(const Tally& tally, const test::TallyModel& model);

}  // namespace zqt::fuzzing
