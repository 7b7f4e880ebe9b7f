#include "support/log_table.h"

#include <stdexcept>
#include <string>

#include "core/ascii_case.h"

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

// The table's columns: the host's two, then the module's seven in reverse reading order, so that no column
// sits where its place in the reading order would put it.
std::vector<std::string> TableColumns() {
  std::vector<std::string> columns = {"QSODate", "Frequency"};
  columns.insert(columns.end(), kModuleColumns.rbegin(), kModuleColumns.rend());
  return columns;
}

// The columns joined by `separator`, each as `form` makes it.
template <typename Form>
std::string Joined(std::string_view separator, Form form) {
  std::string joined;
  for (const std::string& column : TableColumns())
    joined += (joined.empty() ? "" : std::string(separator)) + form(column);
  return joined;
}

}  // namespace

void CreateLogTable(const OdbcConnection& connection, std::string_view table, std::string_view call_collation,
                    std::string_view omitted) {
  std::string sql = "create table " + TableName(connection, table) + " (";
  bool first = true;
  for (const std::string& column : TableColumns()) {
    if (column == omitted)
      continue;
    sql += (first ? "" : ", ") + column + (column == "Frequency" ? " real" : " text");
    if (column == "CallSign" && !call_collation.empty())
      sql += " " + std::string(call_collation);
    first = false;
  }
  connection.Execute(sql + ")");
}

void InsertQsos(const OdbcConnection& connection, std::string_view table, const std::vector<Qso>& rows) {
  // One statement: one transaction for the whole log.
  std::string sql = "insert into " + TableName(connection, table) + " (QSODate, Frequency";
  for (const std::string_view column : kModuleColumns)
    sql += ", " + std::string(column);
  sql += ") values ";
  for (const Qso& q : rows) {
    sql += std::string(&q == rows.data() ? "" : ", ") + "('2024-02-10', 14085.5";
    for (const std::string& value : RowOf(q))
      sql += ", " + Literal(value);
    sql += ")";
  }
  connection.Execute(sql);
}

std::string TableContent(const OdbcConnection& connection, std::string_view table) {
  if (connection.engine() == Engine::kPostgres) {
    return SingleValue(connection,
                       "select count(*) || ':' || coalesce(string_agg(" +
                           Joined(" || ", [](const std::string& c) { return "quote_nullable(" + c + ")"; }) +
                           ", '|' order by ctid), '') as content from " + TableName(connection, table));
  }
  return SingleValue(connection,
                     "select count(*) || ':' || coalesce(group_concat(r, '|'), '') as content from (select " +
                         Joined(" || ", [](const std::string& c) { return "quote(" + c + ")"; }) +
                         " as r from " + TableName(connection, table) + " order by rowid)");
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
