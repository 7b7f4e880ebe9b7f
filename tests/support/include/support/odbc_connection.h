#pragma once
// An ODBC connection of a test's own, opened from a connection string the way a host opens its log, on one of
// the log engines the module is tested with.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "odbc/handle.h"

namespace zqt::test {

enum class Engine { kSqlite, kPostgres };

// "SQLite" or "PostgreSQL", also the suffix of the tests' names.
std::string_view EngineName(Engine engine);

// Connected without prompting, disconnected when it goes. Failures throw std::runtime_error with the driver's
// message.
class OdbcConnection {
 public:
  OdbcConnection(Engine engine, std::string connection_string);
  virtual ~OdbcConnection();

  OdbcConnection(const OdbcConnection&) = delete;
  OdbcConnection& operator=(const OdbcConnection&) = delete;

  Engine engine() const { return engine_; }
  SQLHDBC Handle() const { return connection_.get(); }

  // The handle as a host hands it over in the record's 32-bit Connection field. Throws when a Windows handle
  // does not fit 32 bits; a 64-bit Linux process's handles never fit, so natively it is the whole handle.
  std::uintptr_t RecordValue() const;

  void Execute(std::string_view sql) const;

  // The driver's message for a statement that fails; "" when it succeeds.
  std::string ErrorOf(std::string_view sql) const;

  // The first column of every row of a query, each value whole (up to a megabyte); NULL reads as "".
  std::vector<std::string> Column(std::string_view sql) const;

 private:
  Engine engine_;
  odbc::Handle environment_;
  odbc::Handle connection_;
};

}  // namespace zqt::test
