#pragma once
// RecalcFromLog: recounts the whole tally from the host's log table through the query.

#include <array>
#include <functional>
#include <string_view>

#include "core/boundary_records.h"
#include "core/message_pump.h"
#include "core/query.h"
#include "core/tally.h"

namespace zqt {

// The log columns the rebuild reads, in its reading order: a missing one is reported in this order.
inline constexpr std::array<std::string_view, 7> kLogColumns = {
    "QSOReportRecived", "DXCCPrefix", "MainPrefix", "CallSign", "DigiBand", "QSOMode", "Continent"};

// Empties the tally (and, through clear_report, the window's text area), then runs "Select * from <table>
// order by CallSign" and counts every row as a live QSO is counted, read into the buffer's QSO fields. A
// table name that could make the text more than one statement (a ";", a NUL or a line break in it) is
// refused before anything reaches the driver. Errors propagate to the caller; the statement goes with the
// cursor on every way out.
void RecalcFromLog(Tally& tally, TContestData& buffer, Query& query, MessagePump& pump,
                   const std::function<void()>& clear_report);

}  // namespace zqt
