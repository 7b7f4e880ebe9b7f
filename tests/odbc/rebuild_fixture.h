#pragma once
// A rebuild wired as the window wires it, over a log of either engine reached through the driver manager.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/user_collation.h"
#include "core/error.h"
#include "core/rebuild.h"
#include "core/tally.h"
#include "odbc/odbc_query.h"
#include "support/counting_pump.h"
#include "support/log_database.h"
#include "support/log_table.h"

namespace zqt::test {

class RebuildFixture : public EngineTest {
 protected:
  // Rebuilds from `table` (the buffer's LogTable is set to it first).
  void Rebuild(std::string_view table) {
    WriteText(buffer.LogTable, table);
    RecalcFromLog(tally, buffer, query, pump, [this] {
      ++report_clears;
      EXPECT_EQ(tally.Worked().Count(), 0u) << "the report is cleared after the worked list";
    });
  }

  // The text of the zqt::Error the rebuild raises, or "(no error)".
  std::string RebuildError(std::string_view table) {
    try {
      Rebuild(table);
    } catch (const Error& error) {
      return error.what();
    }
    return "(no error)";
  }

  Tally tally{UserCollation()};
  TContestData buffer{};
  CountingPump pump;
  // Blocks of rows, as the window reads its log.
  OdbcQuery query{"LogQuery", connection.RecordValue(), OdbcQuery::kBlockRows};
  int report_clears = 0;
};

}  // namespace zqt::test
