#include "support/odbc_connection.h"

#include <limits>
#include <stdexcept>

#include "odbc/diagnostics.h"

namespace zqt::test {

namespace {

void Require(SQLRETURN result, SQLSMALLINT type, SQLHANDLE handle, std::string_view what) {
  if (!SQL_SUCCEEDED(result)) {
    throw std::runtime_error(std::string(what) + ": " + odbc::DiagnosticText(type, handle));
  }
}

}  // namespace

std::string_view EngineName(Engine engine) {
  return engine == Engine::kSqlite ? "SQLite" : "PostgreSQL";
}

OdbcConnection::OdbcConnection(Engine engine, std::string connection_string)
    : engine_(engine),
      environment_(SQL_HANDLE_ENV, SQL_NULL_HANDLE),
      connection_(SQL_HANDLE_DBC, odbc::WithOdbc3(environment_)) {
  Require(SQLDriverConnect(connection_.get(), nullptr, reinterpret_cast<SQLCHAR*>(connection_string.data()),
                           static_cast<SQLSMALLINT>(connection_string.size()), nullptr, 0, nullptr,
                           SQL_DRIVER_NOPROMPT),
          SQL_HANDLE_DBC, connection_.get(), "Cannot connect with \"" + connection_string + "\"");
}

OdbcConnection::~OdbcConnection() {
  SQLDisconnect(connection_.get());
}

std::uintptr_t OdbcConnection::RecordValue() const {
  const auto value = reinterpret_cast<std::uintptr_t>(connection_.get());
#ifdef _WIN32
  if (value > std::numeric_limits<std::uint32_t>::max()) {
    throw std::runtime_error("The connection handle " + std::to_string(value) +
                             " does not fit the record's 32-bit Connection field");
  }
  return static_cast<std::uint32_t>(value);
#else
  return value;
#endif
}

void OdbcConnection::Execute(std::string_view sql) const {
  const std::string error = ErrorOf(sql);
  if (!error.empty()) {
    throw std::runtime_error("Setup statement failed: " + std::string(sql) + "\n" + error);
  }
}

std::string OdbcConnection::ErrorOf(std::string_view sql) const {
  const odbc::Handle statement(SQL_HANDLE_STMT, connection_.get());
  std::string text(sql);
  const SQLRETURN result = SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(text.data()),
                                         static_cast<SQLINTEGER>(text.size()));
  if (SQL_SUCCEEDED(result) || result == SQL_NO_DATA) {
    return "";
  }
  const std::string message = odbc::DiagnosticText(SQL_HANDLE_STMT, statement.get());
  return message.empty() ? "SQLExecDirect failed" : message;
}

std::vector<std::string> OdbcConnection::Column(std::string_view sql) const {
  const odbc::Handle statement(SQL_HANDLE_STMT, connection_.get());
  std::string text(sql);
  Require(SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(text.data()),
                        static_cast<SQLINTEGER>(text.size())),
          SQL_HANDLE_STMT, statement.get(), "Query failed: " + text);
  std::vector<std::string> values;
  std::vector<char> value(1 << 20);
  while (SQL_SUCCEEDED(SQLFetch(statement.get()))) {
    SQLLEN length = 0;
    const SQLRETURN result =
        SQLGetData(statement.get(), 1, SQL_C_CHAR, value.data(), static_cast<SQLLEN>(value.size()), &length);
    if (result != SQL_SUCCESS)
      throw std::runtime_error("Cannot read a whole value of: " + text);
    values.emplace_back(value.data(), length == SQL_NULL_DATA ? 0 : static_cast<std::size_t>(length));
  }
  return values;
}

}  // namespace zqt::test
