#include "support/log_table.h"

#include <stdexcept>
#include <string>

#include "base/ascii_case.h"

namespace zqt::test {

namespace {

std::string Quoted(std::string_view text, char quote) {
  std::string out(1, quote);
  for (char c : text) {
    out += c;
    if (c == quote)
      out += c;
  }
  out += quote;
  return out;
}

// The table as a statement names it: quoted, and on PostgreSQL folded to lower case as an unquoted name is.
std::string TableName(const OdbcConnection& connection, std::string_view table) {
  return Quoted(connection.engine() == Engine::kPostgres ? ToLowerAscii(table) : std::string(table), '"');
}

std::string Literal(std::string_view value) {
  return value == kNull ? "NULL" : Quoted(value, '\'');
}

// The value of a one-row, one-column query.
std::string SingleValue(const OdbcConnection& connection, const std::string& sql) {
  return connection.Column(sql).at(0);
}

}  // namespace

void CreateLogTable(const OdbcConnection& connection, std::string_view table, std::string_view call_collation,
                    std::string_view omitted) {
  const std::vector<std::string> columns = {"QSODate text",   "CallSign text " + std::string(call_collation),
                                            "DigiBand text",  "QSOMode text",
                                            "Frequency real", "QSOReportRecived text",
                                            "Continent text", "MainPrefix text",
                                            "DXCCPrefix text"};
  std::string sql = "create table " + TableName(connection, table) + " (";
  bool first = true;
  for (const std::string& column : columns) {
    if (!omitted.empty() && column.starts_with(std::string(omitted) + " "))
      continue;
    sql += (first ? "" : ", ") + column;
    first = false;
  }
  connection.Execute(sql + ")");
}

void InsertQsos(const OdbcConnection& connection, std::string_view table, const std::vector<LogQso>& rows) {
  // One statement: one transaction for the whole log.
  std::string sql = "insert into " + TableName(connection, table) + " values ";
  for (const LogQso& q : rows) {
    sql += (&q == rows.data() ? "" : ", ");
    sql += "('2024-02-10', " + Literal(q.call) + ", " + Literal(q.band) + ", " + Literal(q.mode) +
           ", 14085.5, " + Literal(q.report) + ", " + Literal(q.continent) + ", " + Literal(q.main_prefix) +
           ", " + Literal(q.dxcc) + ")";
  }
  connection.Execute(sql);
}

std::string TableContent(const OdbcConnection& connection, std::string_view table) {
  if (connection.engine() == Engine::kPostgres) {
    return SingleValue(
        connection,
        "select count(*) || ':' || coalesce(string_agg(quote_nullable(QSODate) || "
        "quote_nullable(CallSign) || quote_nullable(DigiBand) || quote_nullable(QSOMode) || "
        "quote_nullable(Frequency) || quote_nullable(QSOReportRecived) || "
        "quote_nullable(Continent) || quote_nullable(MainPrefix) || quote_nullable(DXCCPrefix), "
        "'|' order by ctid), '') as content from " +
            TableName(connection, table));
  }
  return SingleValue(
      connection,
      "select count(*) || ':' || coalesce(group_concat(r, '|'), '') as content from (select "
      "quote(QSODate) || quote(CallSign) || quote(DigiBand) || quote(QSOMode) || "
      "quote(Frequency) || quote(QSOReportRecived) || quote(Continent) || quote(MainPrefix) || "
      "quote(DXCCPrefix) as r from " +
          TableName(connection, table) + " order by rowid)");
}

long long TotalChanges(const OdbcConnection& connection) {
  if (connection.engine() != Engine::kSqlite) {
    throw std::logic_error("TotalChanges counts SQLite's changes only");
  }
  return std::stoll(SingleValue(connection, "select total_changes()"));
}

std::vector<std::string> CallOrder(const OdbcConnection& connection, std::string_view table) {
  return connection.Column("select CallSign from " + TableName(connection, table) + " order by CallSign");
}

}  // namespace zqt::test
