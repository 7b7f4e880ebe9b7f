#pragma once
// One rebuild of the tally from a query stand-in, and what must hold after it, error or not.

#include <cstdint>

#include "ZQTRTTYContest.h"
#include "core/collation.h"
#include "core/tally.h"
#include "support/fake_query.h"

namespace zqt::fuzzing {

// Runs RecalcFromLog over `query`, whose result lacks the columns `missing` names (bit i for
// kModuleColumns[i]). Then: no cursor is left open; the statement ran, or the table name was refused; an
// error is the stand-in's or a missing column's at the first row; the tally holds exactly the rows read, as
// the model counts them and as they count fed live in ordinal call order; and the buffer changed only in the
// seven row fields, holding the last row after a rebuild without error.
void RebuildAndCheck(Tally& tally, TContestData& buffer, test::FakeQuery& query, std::uint8_t missing,
                     const Collation& collation);

}  // namespace zqt::fuzzing
