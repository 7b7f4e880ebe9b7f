#pragma once
// RecalcFromLog: recounts the whole tally from the host's log table through the query.

#include <functional>
#include <string>
#include <string_view>

#include "core/boundary_records.h"
#include "core/message_pump.h"
#include "core/query.h"
#include "core/tally.h"

namespace zqt {

// "Select * from <table> order by CallSign". A name that could make the text more than one statement (a ";",
// a NUL or a line break in it) is refused before anything reaches the driver.
std::string LogStatement(std::string_view table);

// Empties the tally (and, through clear_report, the window's text area), then feeds every row of the log
// through CheckQSO(true). Rows are read into the buffer's QSO fields. Errors propagate to the caller; the
// query is closed on every way out.
void RecalcFromLog(Tally& tally, TContestData& buffer, Query& query, MessagePump& pump,
                   const std::function<void()>& clear_report);

}  // namespace zqt
