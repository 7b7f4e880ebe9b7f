#include "odbc_log.h"

#include <array>
#include <vector>

#include "host_error.h"

namespace zqthost {
namespace {

constexpr std::array<std::string_view, 12> kColumns = {
    "CallSign",   "DigiBand", "QSOMode", "Continent", "QSOReportRecived", "MainPrefix",
    "DXCCPrefix", "QSODate",  "QSOTime", "Frequency", "ExchangeSent",     "ExchangeRecived"};

// The first diagnostic record's message, which is what the driver says went wrong. The module reads
// diagnostics too; the host keeps its own reader, since it may use only the module's public header.
std::string DiagnosticText(SQLSMALLINT type, SQLHANDLE handle) {
  SQLCHAR state[6] = {};
  SQLINTEGER native = 0;
  std::array<SQLCHAR, 1024> message{};
  SQLSMALLINT length = 0;
  const SQLRETURN rc = SQLGetDiagRec(type, handle, 1, state, &native, message.data(),
                                     static_cast<SQLSMALLINT>(message.size()), &length);
  if (!SQL_SUCCEEDED(rc)) {
    return "ODBC call failed without a diagnostic";
  }
  return std::string(reinterpret_cast<const char*>(message.data()));
}

void Check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle) {
  if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
    throw HostError(ExitCode::kOdbc, DiagnosticText(type, handle));
  }
}

SQLCHAR* SqlText(std::string& text) {
  return reinterpret_cast<SQLCHAR*>(text.data());
}

// Declares ODBC 3 behaviour on the environment, which must happen before a connection is allocated on it.
SQLHANDLE WithOdbc3(const OdbcHandle& environment) {
  const auto version = reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(SQL_OV_ODBC3));
  Check(SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION, version, 0), SQL_HANDLE_ENV,
        environment.get());
  return environment.get();
}

}  // namespace

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
  const SQLRETURN rc = SQLAllocHandle(type, parent, &handle_);
  if (!SQL_SUCCEEDED(rc)) {
    if (parent != SQL_NULL_HANDLE) {
      Check(rc, type == SQL_HANDLE_DBC ? SQL_HANDLE_ENV : SQL_HANDLE_DBC, parent);
    }
    throw HostError(ExitCode::kOdbc, "cannot allocate an ODBC handle");
  }
}

OdbcHandle::~OdbcHandle() {
  SQLFreeHandle(type_, handle_);
}

OdbcLog::OdbcLog(std::string_view connection_string)
    : connection_string_(connection_string),
      environment_(SQL_HANDLE_ENV, SQL_NULL_HANDLE),
      connection_(SQL_HANDLE_DBC, WithOdbc3(environment_)) {
  Connect();
}

void OdbcLog::Connect() {
  std::string text = connection_string_;
  SQLSMALLINT out_length = 0;
  Check(SQLDriverConnect(connection_.get(), nullptr, SqlText(text), static_cast<SQLSMALLINT>(text.size()),
                         nullptr, 0, &out_length, SQL_DRIVER_NOPROMPT),
        SQL_HANDLE_DBC, connection_.get());
  connected_ = true;
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
  OdbcHandle statement(SQL_HANDLE_STMT, connection_.get());
  std::string text = "SELECT COUNT(*) FROM " + std::string(table);
  Check(SQLExecDirect(statement.get(), SqlText(text), static_cast<SQLINTEGER>(text.size())), SQL_HANDLE_STMT,
        statement.get());
  Check(SQLFetch(statement.get()), SQL_HANDLE_STMT, statement.get());
  SQLBIGINT count = 0;
  SQLLEN indicator = 0;
  Check(SQLGetData(statement.get(), 1, SQL_C_SBIGINT, &count, sizeof count, &indicator), SQL_HANDLE_STMT,
        statement.get());
  return static_cast<long long>(count);
}

OdbcLog::~OdbcLog() {
  if (connected_) {
    SQLDisconnect(connection_.get());
  }
}

void OdbcLog::Execute(std::string_view sql) {
  OdbcHandle statement(SQL_HANDLE_STMT, connection_.get());
  std::string text(sql);
  Check(SQLExecDirect(statement.get(), SqlText(text), static_cast<SQLINTEGER>(text.size())), SQL_HANDLE_STMT,
        statement.get());
}

bool OdbcLog::TableExists(std::string_view table) {
  // A statement that selects nothing works on every SQL database and fails only when the table is missing.
  OdbcHandle statement(SQL_HANDLE_STMT, connection_.get());
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
  OdbcHandle statement(SQL_HANDLE_STMT, connection_.get());
  Check(SQLPrepare(statement.get(), SqlText(insert), static_cast<SQLINTEGER>(insert.size())), SQL_HANDLE_STMT,
        statement.get());
  for (std::size_t i = 0; i < values.size(); ++i) {
    lengths[i] = static_cast<SQLLEN>(values[i].size());
    Check(SQLBindParameter(statement.get(), static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, SQL_C_CHAR,
                           SQL_VARCHAR, std::max<SQLULEN>(values[i].size(), 1), 0, values[i].data(),
                           lengths[i], &lengths[i]),
          SQL_HANDLE_STMT, statement.get());
  }
  Check(SQLExecute(statement.get()), SQL_HANDLE_STMT, statement.get());
}

}  // namespace zqthost
