#pragma once
// Test databases: a SQLite file of the test's own, reached through ODBC the way a host reaches its log.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "odbc/odbc_api.h"

namespace zqt::test {

// A new database file in the temporary directory, removed when the object goes.
class TempDatabase {
 public:
  TempDatabase();
  ~TempDatabase();

  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;

  // The file's path as the ODBC driver needs it (under Wine the driver is a Linux library: a Unix path).
  const std::string& DriverPath() const { return driver_path_; }

 private:
  std::filesystem::path file_;
  std::string driver_path_;
};

// An ODBC handle freed with its owner.
class OdbcHandle {
 public:
  OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
  ~OdbcHandle();

  OdbcHandle(const OdbcHandle&) = delete;
  OdbcHandle& operator=(const OdbcHandle&) = delete;

  SQLHANDLE get() const { return handle_; }

 private:
  SQLSMALLINT type_;
  SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

// A connection through the SQLite3 ODBC driver ("DRIVER=SQLite3;Database=<file>"), disconnected when it goes.
// Failures throw std::runtime_error with the driver's message.
class SqliteConnection {
 public:
  // `options` are appended to the connection string, e.g. ";Timeout=0".
  explicit SqliteConnection(const TempDatabase& database, std::string_view options = "");
  ~SqliteConnection();

  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  SQLHDBC Handle() const { return connection_.get(); }

  // The handle as a host hands it over in the record's 32-bit Connection field. Throws when a Windows handle
  // does not fit 32 bits; a 64-bit Linux process's handles never fit, so natively it is the whole handle.
  std::uintptr_t RecordValue() const;

  void Execute(std::string_view sql) const;

  // The driver's message for a statement that fails; "" when it succeeds.
  std::string ErrorOf(std::string_view sql) const;

 private:
  OdbcHandle environment_;
  OdbcHandle connection_;
};

}  // namespace zqt::test
