// What only a PostgreSQL log shows: a role that may only read the log, and psqlODBC's Unicode driver.

#include <gtest/gtest.h>

#include <string>

#include "rebuild_fixture.h"

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

}  // namespace
}  // namespace zqt::test
