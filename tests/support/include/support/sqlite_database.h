#pragma once
// Test databases: a SQLite file of the test's own, reached through ODBC the way a host reaches its log.

#include <filesystem>
#include <string>
#include <string_view>

#include "support/odbc_connection.h"

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

// A connection through the SQLite3 ODBC driver ("DRIVER=SQLite3;Database=<file>").
class SqliteConnection : public OdbcConnection {
 public:
  // `options` are appended to the connection string, e.g. ";Timeout=0".
  explicit SqliteConnection(const TempDatabase& database, std::string_view options = "");
};

}  // namespace zqt::test
