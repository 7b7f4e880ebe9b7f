#include "support/sqlite_database.h"

#include <limits>
#include <random>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "odbc/diagnostics.h"

namespace zqt::test {

namespace {

void Require(SQLRETURN result, SQLSMALLINT type, SQLHANDLE handle, std::string_view what) {
  if (!SQL_SUCCEEDED(result)) {
    throw std::runtime_error(std::string(what) + ": " + odbc::DiagnosticText(type, handle));
  }
}

std::string UniqueName() {
  std::random_device random;
  std::uniform_int_distribution<unsigned long long> digits;
  return "zqt-odbc-" + std::to_string(digits(random)) + ".db";
}

// Declares the ODBC 3 behaviour that connections of the environment get.
SQLHANDLE AsOdbc3(const OdbcHandle& environment) {
  Require(SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION,
                        reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(SQL_OV_ODBC3)), 0),
          SQL_HANDLE_ENV, environment.get(), "Cannot select ODBC 3");
  return environment.get();
}

#ifdef _WIN32
// Wine's kernel32 maps a Windows path to the Unix path that the Linux driver opens; on Windows itself the
// driver takes the Windows path.
std::string DriverPathOf(const std::filesystem::path& file) {
  using UnixName = char*(__cdecl*)(const wchar_t*);
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const FARPROC proc = kernel ? GetProcAddress(kernel, "wine_get_unix_file_name") : nullptr;
  if (proc == nullptr) {
    return file.string();
  }
  const auto unix_name = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(proc));
  char* name = unix_name(file.wstring().c_str());
  if (name == nullptr) {
    throw std::runtime_error("No Unix path for " + file.string());
  }
  std::string path(name);
  HeapFree(GetProcessHeap(), 0, name);
  return path;
}
#else
std::string DriverPathOf(const std::filesystem::path& file) {
  return file.string();
}
#endif

}  // namespace

TempDatabase::TempDatabase()
    : file_(std::filesystem::temp_directory_path() / UniqueName()), driver_path_(DriverPathOf(file_)) {}

TempDatabase::~TempDatabase() {
  std::error_code ignored;
  std::filesystem::remove(file_, ignored);
}

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
  if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_))) {
    handle_ = SQL_NULL_HANDLE;
    throw std::runtime_error("SQLAllocHandle failed for handle type " + std::to_string(type));
  }
}

OdbcHandle::~OdbcHandle() {
  SQLFreeHandle(type_, handle_);
}

SqliteConnection::SqliteConnection(const TempDatabase& database, std::string_view options)
    : environment_(SQL_HANDLE_ENV, SQL_NULL_HANDLE), connection_(SQL_HANDLE_DBC, AsOdbc3(environment_)) {
  std::string text = "DRIVER=SQLite3;Database=" + database.DriverPath() + std::string(options);
  Require(SQLDriverConnect(connection_.get(), nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                           static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT),
          SQL_HANDLE_DBC, connection_.get(), "Cannot connect with \"" + text + "\"");
}

SqliteConnection::~SqliteConnection() {
  SQLDisconnect(connection_.get());
}

std::uintptr_t SqliteConnection::RecordValue() const {
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

void SqliteConnection::Execute(std::string_view sql) const {
  const std::string error = ErrorOf(sql);
  if (!error.empty()) {
    throw std::runtime_error("Setup statement failed: " + std::string(sql) + "\n" + error);
  }
}

std::string SqliteConnection::ErrorOf(std::string_view sql) const {
  const OdbcHandle statement(SQL_HANDLE_STMT, connection_.get());
  std::string text(sql);
  const SQLRETURN result = SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(text.data()),
                                         static_cast<SQLINTEGER>(text.size()));
  if (SQL_SUCCEEDED(result) || result == SQL_NO_DATA) {
    return "";
  }
  const std::string message = odbc::DiagnosticText(SQL_HANDLE_STMT, statement.get());
  return message.empty() ? "SQLExecDirect failed" : message;
}

}  // namespace zqt::test
