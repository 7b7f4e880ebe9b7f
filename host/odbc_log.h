#pragma once
// The host's log: one ODBC connection, its log table, inserts and free statements for tests.

#include <string>
#include <string_view>
#include <vector>

#include "odbc/handle.h"
#include "qso_line.h"

namespace zqthost {

class OdbcLog {
 public:
  // Connects without prompting with the first of the connection strings whose driver is installed; a failure
  // throws HostError (ExitCode::kOdbc) with the driver's message.
  explicit OdbcLog(std::vector<std::string> connection_strings);
  ~OdbcLog();
  OdbcLog(const OdbcLog&) = delete;
  OdbcLog& operator=(const OdbcLog&) = delete;

  SQLHDBC connection() const { return connection_.get(); }

  // Disconnects and connects again with the same connection string on the same handle, so the handle the
  // module was given stays valid. A failure throws HostError (ExitCode::kOdbc) with the driver's message and
  // leaves the handle disconnected until the next reconnect.
  void Reconnect();

  // The number of rows in the table.
  long long RowCount(std::string_view table);

  // Creates the log table when it is missing; with fresh, drops an existing one first.
  void PrepareTable(std::string_view table, bool fresh);

  void Insert(std::string_view table, const Qso& qso);

  void Execute(std::string_view sql);

 private:
  bool TableExists(std::string_view table);
  void Connect();

  std::vector<std::string> connection_strings_;
  zqt::odbc::Handle environment_;
  zqt::odbc::Handle connection_;
  bool connected_ = false;
};

}  // namespace zqthost
