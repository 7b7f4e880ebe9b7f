// What only a PostgreSQL log shows: a role that may only read the log, psqlODBC's Unicode driver, and a real
// log with hand-typed lower-case calls in the ICU order, counted exactly as SQLite counts it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "rebuild_fixture.h"
#include "support/test_data.h"

namespace zqt::test {
namespace {

class RebuildPostgresTest : public RebuildFixture {};
INSTANTIATE_TEST_SUITE_P(Engines, RebuildPostgresTest, ::testing::Values(Engine::kPostgres), EngineTestName);

// A login role of the test's own that may only read `table`, dropped with its grants afterwards.
class ReaderRole {
 public:
  ReaderRole(const OdbcConnection& admin, const std::string& schema, const std::string& table)
      : admin_(admin), name_(schema + "_reader") {
    admin_.Execute("create role " + name_ + " login");
    admin_.Execute("grant usage on schema " + schema + " to " + name_);
    admin_.Execute("grant select on " + table + " to " + name_);
  }
  ~ReaderRole() { admin_.ErrorOf("drop owned by " + name_ + "; drop role " + name_); }
  ReaderRole(const ReaderRole&) = delete;
  ReaderRole& operator=(const ReaderRole&) = delete;

  const std::string& Name() const { return name_; }

 private:
  const OdbcConnection& admin_;
  std::string name_;
};

TEST_P(RebuildPostgresTest, RoleThatMayOnlyReadTheLogRebuildsIt) {
  CreateLogTable(connection, "Log");
  InsertQsos(connection, "Log",
             {{"K1AA", "20M", "RTTY", "NA", "K1", "K"},
              {"JA1XYZ", "15M", "RTTY", "AS", "JA1", "JA"},
              {"K1AA", "20M", "RTTY", "NA", "K1", "K"}});
  const std::string content = TableContent(connection, "Log");
  const ReaderRole reader(connection, database.Postgres()->Schema(), "log");
  const OdbcConnection reading(Engine::kPostgres, database.Postgres()->ConnectionString("", reader.Name()));
  ASSERT_NE(reading.ErrorOf("insert into Log (CallSign) values ('W1AW')"), "") << "the role may write";

  OdbcQuery reader_query("LogQuery", reading.RecordValue());
  WriteText(buffer.LogTable, "Log");
  RecalcFromLog(tally, buffer, reader_query, pump, [] {});
  EXPECT_EQ(tally.QsoCount(), 2);
  EXPECT_EQ(TableContent(connection, "Log"), content);
}

// psqlODBC comes as two drivers; a host may have opened its connection through either. Through the Unicode
// one the driver manager carries the module's ANSI calls across.
TEST_P(RebuildPostgresTest, UnicodeDriverCountsLikeTheAnsiDriver) {
  CreateLogTable(connection, "Log");
  InsertQsos(connection, "Log",
             {{"K1AB", "20M", "RTTY", "NA", "K1", "K"},
              {"K1A", "20M", "RTTY", "NA", "K1", "K"},
              {"k1aa", "20M", "RTTY", "na", "K1", "K"},
              {"K1AB", "20M", "RTTY", "NA", "K1", "K"}});
  Rebuild("Log");
  const std::string ansi_report = tally.ShowStatistic();

  std::string unicode = database.Postgres()->ConnectionString();
  unicode.replace(unicode.find("PostgreSQL ANSI"), 15, "PostgreSQL Unicode");
  const OdbcConnection unicode_connection(Engine::kPostgres, unicode);
  OdbcQuery unicode_query("LogQuery", unicode_connection.RecordValue());
  RecalcFromLog(tally, buffer, unicode_query, pump, [] {});
  EXPECT_EQ(tally.QsoCount(), 3);
  EXPECT_EQ(tally.ShowStatistic(), ansi_report);
}

// The QSO: lines of a bundled Cabrillo log as log rows, every third call typed in lower case.
std::vector<Qso> HandTypedLog(std::string_view name) {
  std::istringstream lines(ReadDataFile(name));
  std::vector<Qso> rows;
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string tag, khz, mode, date, time, own_call, rst_sent, zone_sent, call;
    if (!(fields >> tag >> khz >> mode >> date >> time >> own_call >> rst_sent >> zone_sent >> call) ||
        tag != "QSO:")
      continue;
    if (rows.size() % 3 == 0)
      for (char& c : call)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string band = std::to_string(std::stoi(khz) / 1000) + "MHz";
    rows.push_back({call, band, mode, "NA", call.substr(0, 2), call.substr(0, 1)});
  }
  return rows;
}

TEST_P(RebuildPostgresTest, HandTypedLowerCaseCallsCountAsInSqlite) {
  std::vector<Qso> rows = HandTypedLog("logs/cqww-rtty-2024-7n2uqc.log");
  const std::vector<Qso> other = HandTypedLog("logs/cqww-rtty-2024-ve7io.log");
  rows.insert(rows.end(), other.begin(), other.end());
  ASSERT_GT(rows.size(), 1000u);
  CreateLogTable(connection, "Log");
  InsertQsos(connection, "Log", rows);
  const std::vector<std::string> order = CallOrder(connection, "Log");
  ASSERT_FALSE(std::is_sorted(order.begin(), order.end()))
      << "the ICU order must differ from the ordinal one";

  const LogDatabase sqlite(Engine::kSqlite);
  const auto sqlite_connection = sqlite.Connect();
  CreateLogTable(*sqlite_connection, "Log");
  InsertQsos(*sqlite_connection, "Log", rows);
  OdbcQuery sqlite_query("LogQuery", sqlite_connection->RecordValue());
  WriteText(buffer.LogTable, "Log");
  RecalcFromLog(tally, buffer, sqlite_query, pump, [] {});
  const std::string sqlite_report = tally.ShowStatistic();
  const auto sqlite_count = tally.QsoCount();

  Rebuild("Log");
  EXPECT_EQ(tally.ShowStatistic(), sqlite_report);
  EXPECT_EQ(tally.QsoCount(), sqlite_count);
}

}  // namespace
}  // namespace zqt::test
