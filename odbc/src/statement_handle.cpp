#include "statement_handle.h"

#include "odbc/diagnostics.h"

namespace zqt::odbc {

StatementHandle::StatementHandle(SQLHDBC connection) {
  const SQLRETURN result = SQLAllocHandle(SQL_HANDLE_STMT, connection, &handle_);
  if (!SQL_SUCCEEDED(result)) {
    handle_ = SQL_NULL_HSTMT;
    ThrowDiagnostics(SQL_HANDLE_DBC, connection, "Cannot allocate a statement on the connection");
  }
}

StatementHandle::~StatementHandle() {
  SQLFreeHandle(SQL_HANDLE_STMT, handle_);
}

}  // namespace zqt::odbc
