#include "odbc_log.h"

#include <array>
#include <utility>
#include <vector>

#include "host_error.h"
#include "odbc/diagnostics.h"

namespace zqthost {
namespace {

constexpr std::array<std::string_view, 12> kColumns = {
    "CallSign",   "DigiBand", "QSOMode", "Continent", "QSOReportRecived", "MainPrefix",
    "DXCCPrefix", "QSODate",  "QSOTime", "Frequency", "ExchangeSent",     "ExchangeRecived"};

using zqt::odbc::Handle;

constexpr char kNoDiagnostic[] = "ODBC call failed without a diagnostic";

// The host reports the first diagnostic record, which is what the driver says went wrong.
[[noreturn]] void Fail(const std::vector<zqt::odbc::Diagnostic>& records, const char* fallback) {
  throw HostError(ExitCode::kOdbc, records.empty() ? fallback : records.front().text);
}

void Check(SQLRETURN rc, const Handle& handle) {
  if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
    Fail(zqt::odbc::Diagnostics(handle.type(), handle.get()), kNoDiagnostic);
  }
}

// A handle on `parent`; a refusal throws HostError with the parent's first diagnostic record.
Handle Allocate(SQLSMALLINT type, SQLHANDLE parent) {
  try {
    return Handle(type, parent);
  } catch (const zqt::odbc::Error& error) {
    Fail(error.records(), parent == SQL_NULL_HANDLE ? "cannot allocate an ODBC handle" : kNoDiagnostic);
  }
}

// Declares ODBC 3 behaviour on the environment, which must happen before a connection is allocated on it.
SQLHANDLE AsOdbc3(const Handle& environment) {
  try {
    return zqt::odbc::WithOdbc3(environment);
  } catch (const zqt::odbc::Error& error) {
    Fail(error.records(), kNoDiagnostic);
  }
}

SQLCHAR* SqlText(std::string& text) {
  return reinterpret_cast<SQLCHAR*>(text.data());
}

}  // namespace

OdbcLog::OdbcLog(std::vector<std::string> connection_strings)
    : connection_strings_(std::move(connection_strings)),
      environment_(Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE)),
      connection_(Allocate(SQL_HANDLE_DBC, AsOdbc3(environment_))) {
  Connect();
}

void OdbcLog::Connect() {
  for (std::size_t i = 0; i < connection_strings_.size(); ++i) {
    std::string text = connection_strings_[i];
    SQLSMALLINT out_length = 0;
    const SQLRETURN rc =
        SQLDriverConnect(connection_.get(), nullptr, SqlText(text), static_cast<SQLSMALLINT>(text.size()),
                         nullptr, 0, &out_length, SQL_DRIVER_NOPROMPT);
    if (SQL_SUCCEEDED(rc)) {
      connected_ = true;
      return;
    }
    const auto records = zqt::odbc::Diagnostics(SQL_HANDLE_DBC, connection_.get());
    // No driver of that name, the next string may name it otherwise: Windows' driver manager answers IM002,
    // unixODBC 01000 ("Can't open lib").
    const bool no_driver =
        !records.empty() && (records.front().state == "IM002" || records.front().state == "01000");
    if (i + 1 == connection_strings_.size() || !no_driver)
      Fail(records, kNoDiagnostic);
  }
  throw HostError(ExitCode::kOdbc, "no ODBC connection string");
}

void OdbcLog::Reconnect() {
  if (connected_) {
    // A connection whose server went away still disconnects; what it answers does not matter.
    SQLDisconnect(connection_.get());
    connected_ = false;
  }
  Connect();
}

long long OdbcLog::RowCount(std::string_view table) {
  const Handle statement = Allocate(SQL_HANDLE_STMT, connection_.get());
  std::string text = "SELECT COUNT(*) FROM " + std::string(table);
  Check(SQLExecDirect(statement.get(), SqlText(text), static_cast<SQLINTEGER>(text.size())), statement);
  Check(SQLFetch(statement.get()), statement);
  SQLBIGINT count = 0;
  SQLLEN indicator = 0;
  Check(SQLGetData(statement.get(), 1, SQL_C_SBIGINT, &count, sizeof count, &indicator), statement);
  return static_cast<long long>(count);
}

OdbcLog::~OdbcLog() {
  if (connected_) {
    SQLDisconnect(connection_.get());
  }
}

void OdbcLog::Execute(std::string_view sql) {
  const Handle statement = Allocate(SQL_HANDLE_STMT, connection_.get());
  std::string text(sql);
  Check(SQLExecDirect(statement.get(), SqlText(text), static_cast<SQLINTEGER>(text.size())), statement);
}

bool OdbcLog::TableExists(std::string_view table) {
  // A statement that selects nothing works on every SQL database and fails only when the table is missing.
  const Handle statement = Allocate(SQL_HANDLE_STMT, connection_.get());
  std::string text = "SELECT * FROM " + std::string(table) + " WHERE 1=0";
  return SQL_SUCCEEDED(SQLExecDirect(statement.get(), SqlText(text), static_cast<SQLINTEGER>(text.size())));
}

void OdbcLog::PrepareTable(std::string_view table, bool fresh) {
  const bool exists = TableExists(table);
  if (exists && fresh) {
    Execute("DROP TABLE " + std::string(table));
  }
  if (exists && !fresh) {
    return;
  }
  std::string create = "CREATE TABLE " + std::string(table) + " (";
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    create += (i == 0 ? "" : ", ") + std::string(kColumns[i]) + " TEXT";
  }
  Execute(create + ")");
}

void OdbcLog::Insert(std::string_view table, const Qso& qso) {
  std::string insert = "INSERT INTO " + std::string(table) + " (";
  std::string marks;
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    insert += (i == 0 ? "" : ", ") + std::string(kColumns[i]);
    marks += i == 0 ? "?" : ", ?";
  }
  insert += ") VALUES (" + marks + ")";
  // The QSO's texts travel as parameters, so quotes in a call or exchange cannot change the statement.
  std::array<std::string, kColumns.size()> values = {
      qso.call,        qso.band, qso.mode, qso.continent, qso.report,        qso.main_prefix,
      qso.dxcc_prefix, qso.date, qso.time, qso.frequency, qso.exchange_sent, qso.exchange_received};
  std::array<SQLLEN, kColumns.size()> lengths{};
  const Handle statement = Allocate(SQL_HANDLE_STMT, connection_.get());
  Check(SQLPrepare(statement.get(), SqlText(insert), static_cast<SQLINTEGER>(insert.size())), statement);
  for (std::size_t i = 0; i < values.size(); ++i) {
    lengths[i] = static_cast<SQLLEN>(values[i].size());
    Check(SQLBindParameter(statement.get(), static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, SQL_C_CHAR,
                           SQL_VARCHAR, std::max<SQLULEN>(values[i].size(), 1), 0, values[i].data(),
                           lengths[i], &lengths[i]),
          statement);
  }
  Check(SQLExecute(statement.get()), statement);
}

}  // namespace zqthost
