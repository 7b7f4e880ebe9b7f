// OdbcQuery fetching blocks of rows into bound buffers, against real SQLite and PostgreSQL logs through the
// driver manager: the same values as the row-by-row reads, cut at 255 characters, across block boundaries.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/error.h"
#include "odbc/odbc_query.h"
#include "support/log_database.h"
#include "support/log_table.h"

namespace zqt {
namespace {

std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "(no error)";
}

// Text whose characters depend on their position, so a cut in the wrong place shows.
std::string Pattern(char first, std::size_t length) {
  std::string text(1, first);
  for (std::size_t i = 1; i < length; ++i)
    text += static_cast<char>('A' + (i * 7 + i / 26) % 26);
  return text;
}

class BlockFetchTest : public test::EngineTest {
 protected:
  // Every row's seven columns in the rebuild's read order, with `block_rows` rows per fetch.
  std::vector<std::vector<std::string>> ReadAll(std::size_t block_rows) {
    OdbcQuery query("LogQuery", connection.RecordValue(), block_rows);
    query.SetSql("Select * from Log order by CallSign");
    std::vector<std::vector<std::string>> rows;
    for (query.Open(); !query.Eof(); query.Next()) {
      std::vector<std::string>& row = rows.emplace_back();
      for (const std::string& name : test::RebuildColumns())
        row.push_back(query.FieldAsText(name));
    }
    query.Close();
    return rows;
  }
};
INSTANTIATE_TEST_SUITE_P(Engines, BlockFetchTest, test::AllEngines(), test::EngineTestName);

TEST_P(BlockFetchTest, LongNullAndBoundaryLengthsComeBackAsTheRowByRowReadCutsThem) {
  test::CreateLogTable(connection, "Log");
  // Sorted by call as the statement orders them; three rows per block puts the odd values at every place in a
  // block, the last block holding one row.
  std::vector<test::LogQso> rows;
  const std::vector<std::size_t> lengths = {0, 1, 254, 255, 256, 300, 1000};
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    const std::string call = "K" + std::to_string(i) + "AA";
    rows.push_back({call, "20M", "RTTY", "NA", "K" + std::to_string(i), "K", Pattern('R', lengths[i])});
    rows.push_back({call + "B", std::string(test::kNull), Pattern('B', lengths[i]), "na", "", "K", "599"});
  }
  rows.push_back({Pattern('Z', 300), "15M", "RTTY", std::string(test::kNull), "ZZ", "ZZ", "599"});
  test::InsertQsos(connection, "Log", rows);

  const std::vector<std::vector<std::string>> whole = ReadAll(1);
  ASSERT_EQ(whole.size(), rows.size());
  std::vector<std::vector<std::string>> cut = whole;
  for (std::vector<std::string>& row : cut) {
    for (std::string& value : row)
      value = value.substr(0, 255);
  }
  EXPECT_EQ(ReadAll(3), cut);
  EXPECT_EQ(ReadAll(OdbcQuery::kBlockRows), cut);

  // Spot checks of what the cut means: NULL reads as "", 255 characters stay whole, longer ones lose the
  // rest.
  const auto at = [&](const std::vector<std::vector<std::string>>& read, std::size_t row,
                      std::size_t column) { return read[row][column]; };
  EXPECT_EQ(at(ReadAll(3), 1, 4), "");                                 // DigiBand NULL
  EXPECT_EQ(at(ReadAll(3), 6, 0), Pattern('R', 255));                  // QSOReportRecived of 255
  EXPECT_EQ(at(ReadAll(3), 8, 0), Pattern('R', 256).substr(0, 255));   // one too many
  EXPECT_EQ(at(ReadAll(3), 14, 3), Pattern('Z', 300).substr(0, 255));  // a long CallSign in the last block
  EXPECT_EQ(at(whole, 14, 3), Pattern('Z', 300));                      // row by row, values stay whole
}

TEST_P(BlockFetchTest, ManyBlocksKeepTheRowOrderAndTheLastPartialBlock) {
  test::CreateLogTable(connection, "Log");
  std::vector<test::LogQso> rows;
  for (int i = 0; i < 2 * static_cast<int>(OdbcQuery::kBlockRows) + 5; ++i) {
    char call[16];
    std::snprintf(call, sizeof call, "DL%04dA", i);
    rows.push_back({call, i % 2 ? "20M" : "40M", "RTTY", "EU", "DL" + std::to_string(i % 10), "DL"});
  }
  test::InsertQsos(connection, "Log", rows);
  const std::vector<std::vector<std::string>> read = ReadAll(OdbcQuery::kBlockRows);
  ASSERT_EQ(read.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(read[i][3], rows[i].call) << i;
    ASSERT_EQ(read[i][4], rows[i].band) << i;
    ASSERT_EQ(read[i][2], rows[i].main_prefix) << i;
  }
  EXPECT_EQ(read, ReadAll(1));
}

TEST_P(BlockFetchTest, NamesIgnoreCaseAndMissingOrLateColumnsRaise) {
  test::CreateLogTable(connection, "Log");
  test::InsertQsos(connection, "Log",
                   {{"K1AA", "20M", "RTTY", "NA", "K1", "K"},
                    {"K2AA", "40M", "RTTY", "NA", "K2", "K"},
                    {"K3AA", "80M", "RTTY", "NA", "K3", "K"}});
  OdbcQuery query("LogQuery", connection.RecordValue(), 2);
  query.SetSql("Select * from Log order by CallSign");
  query.Open();
  EXPECT_EQ(query.FieldAsText("CALLSIGN"), "K1AA");
  EXPECT_EQ(ErrorText([&] { query.FieldAsText("QSOReportRecivd"); }),
            "LogQuery: Field 'QSOReportRecivd' not found");
  query.Next();
  EXPECT_EQ(query.FieldAsText("callsign"), "K2AA");
  // Only the columns asked for during the first row are bound; another cannot be read from a block.
  EXPECT_EQ(ErrorText([&] { query.FieldAsText("DigiBand"); }),
            "LogQuery: Field 'DigiBand' was not read in the first row");
  query.Next();
  EXPECT_EQ(query.FieldAsText("CallSign"), "K3AA");
  query.Next();
  EXPECT_TRUE(query.Eof());
  EXPECT_EQ(query.FieldAsText("CallSign"), "");

  // Reopened, the query starts over from the first row and binds anew.
  query.Open();
  EXPECT_EQ(query.FieldAsText("DigiBand"), "20M");
  query.Next();
  EXPECT_EQ(query.FieldAsText("DigiBand"), "40M");
}

TEST_P(BlockFetchTest, EmptyLogIsPastTheLastRowAtOnce) {
  test::CreateLogTable(connection, "Log");
  EXPECT_TRUE(ReadAll(OdbcQuery::kBlockRows).empty());
}

}  // namespace
}  // namespace zqt
