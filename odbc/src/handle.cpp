#include "odbc/handle.h"

#include <cstdint>

#include "odbc/diagnostics.h"

namespace zqt::odbc {
namespace {

// The type of the handle a handle of `type` is allocated on; an environment has none.
SQLSMALLINT ParentType(SQLSMALLINT type) {
  return type == SQL_HANDLE_DBC ? SQL_HANDLE_ENV : SQL_HANDLE_DBC;
}

const char* RefusalText(SQLSMALLINT type) {
  switch (type) {
    case SQL_HANDLE_ENV:
      return "Cannot allocate an ODBC environment";
    case SQL_HANDLE_DBC:
      return "Cannot allocate a connection on the environment";
    default:
      return "Cannot allocate a statement on the connection";
  }
}

}  // namespace

Handle::Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
  if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_))) {
    handle_ = SQL_NULL_HANDLE;
    ThrowDiagnostics(ParentType(type), parent, RefusalText(type));
  }
}

Handle::~Handle() {
  SQLFreeHandle(type_, handle_);
}

SQLHANDLE WithOdbc3(const Handle& environment) {
  const auto version = reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(SQL_OV_ODBC3));
  Check(SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION, version, 0), SQL_HANDLE_ENV,
        environment.get(), "Cannot select ODBC 3");
  return environment.get();
}

}  // namespace zqt::odbc
