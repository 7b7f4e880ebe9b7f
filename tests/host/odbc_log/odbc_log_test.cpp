#include "odbc_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host_error.h"
#include "odbc/handle.h"
#include "options.h"
#include "support/log_columns.h"

namespace zqthost {
namespace {

// The SQLite file comes from CTest: under Wine the Linux driver needs a Unix path.
std::string TestDatabase() {
  const char* path = std::getenv("ZQTHOST_TEST_DB");
  return path != nullptr ? path : "host_odbc_log.db";
}

// Column one of every row, read through the log's own connection.
std::vector<std::string> Column(const OdbcLog& log, std::string sql) {
  const zqt::odbc::Handle statement(SQL_HANDLE_STMT, log.connection());
  std::vector<std::string> values;
  if (!SQL_SUCCEEDED(SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS))) {
    ADD_FAILURE() << "query failed: " << sql;
    return values;
  }
  while (SQL_SUCCEEDED(SQLFetch(statement.get()))) {
    char text[256] = {};
    SQLLEN length = 0;
    SQLGetData(statement.get(), 1, SQL_C_CHAR, text, sizeof text, &length);
    values.emplace_back(length == SQL_NULL_DATA ? "<null>" : text);
  }
  return values;
}

class OdbcLogTest : public testing::Test {
 protected:
  void SetUp() override { std::remove(TestDatabase().c_str()); }
  void TearDown() override { std::remove(TestDatabase().c_str()); }
  // Under Wine the first string names the driver as Windows does, which unixODBC lacks: the second connects.
  std::vector<std::string> connection_string_ = SqliteConnectionStrings(TestDatabase());
};

TEST_F(OdbcLogTest, TableIsKeptUnlessFresh) {
  {
    OdbcLog log(connection_string_);
    log.PrepareTable("Log", false);
    log.Insert("Log", ParseQsoLine("JA1ABC\t14\tRTTY\tAS\tJA1\tJA"));
  }
  {
    OdbcLog log(connection_string_);
    log.PrepareTable("Log", false);
    EXPECT_EQ(Column(log, "SELECT CallSign FROM Log"), std::vector<std::string>{"JA1ABC"});
    log.PrepareTable("Log", true);
    EXPECT_TRUE(Column(log, "SELECT CallSign FROM Log").empty());
  }
}

TEST_F(OdbcLogTest, RowCarriesEveryColumnAndQuotesStayText) {
  OdbcLog log(connection_string_);
  log.PrepareTable("Log", false);
  log.Insert("Log", ParseQsoLine("O'HARA\t7\tRTTY\tEU\tEI\tEI\t2024-01-06\t1200\t7031.5\t599 001\t599 'X'"));
  // The module's seven columns in its reading order, then the host's own.
  std::vector<std::string> columns(zqt::test::kModuleColumns.begin(), zqt::test::kModuleColumns.end());
  columns.insert(columns.end(), {"QSODate", "QSOTime", "Frequency", "ExchangeSent", "ExchangeRecived"});
  std::vector<std::string> row;
  for (const std::string& column : columns) {
    const std::vector<std::string> values = Column(log, "SELECT " + column + " FROM Log");
    row.push_back(values.size() == 1 ? values[0] : "<" + std::to_string(values.size()) + " rows>");
  }
  EXPECT_EQ(row, (std::vector<std::string>{"", "EI", "EI", "O'HARA", "7", "RTTY", "EU", "2024-01-06", "1200",
                                           "7031.5", "599 001", "599 'X'"}));
}

TEST_F(OdbcLogTest, FailuresCarryTheDriversMessage) {
  OdbcLog log(connection_string_);
  try {
    log.Execute("SELECT * FROM NoSuchTable");
    FAIL() << "no error";
  } catch (const HostError& error) {
    EXPECT_EQ(error.code(), ExitCode::kOdbc);
    EXPECT_NE(std::string(error.what()).find("no such table: NoSuchTable"), std::string::npos)
        << error.what();
  }
  // A driver missing under every name tried is the last one's error.
  EXPECT_THROW(OdbcLog({"DRIVER=NoSuchDriver", "DRIVER=NoSuchDriverEither"}), HostError);
}

}  // namespace
}  // namespace zqthost
