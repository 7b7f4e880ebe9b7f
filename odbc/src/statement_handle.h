#pragma once
// An ODBC statement allocated on a connection that someone else owns; freed when the owner goes.

#include "odbc/odbc_api.h"

namespace zqt::odbc {

class StatementHandle {
 public:
  // Raises the connection's diagnostic text when the driver refuses the statement.
  explicit StatementHandle(SQLHDBC connection);
  ~StatementHandle();

  StatementHandle(const StatementHandle&) = delete;
  StatementHandle& operator=(const StatementHandle&) = delete;

  SQLHSTMT get() const { return handle_; }

 private:
  SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

}  // namespace zqt::odbc
