#pragma once
// Turns failed ODBC calls into zqt::Error carrying the driver's own diagnostic text.

#include <string>
#include <string_view>

#include "odbc/odbc_api.h"

namespace zqt::odbc {

// The message texts of all diagnostic records of the handle, joined by a newline; "" when there are none.
std::string DiagnosticText(SQLSMALLINT handle_type, SQLHANDLE handle);

// Raises the handle's diagnostic text, or `fallback` when the driver left none.
[[noreturn]] void ThrowDiagnostics(SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view fallback);

// Raises as above unless `result` is SQL_SUCCESS or SQL_SUCCESS_WITH_INFO.
inline void Check(SQLRETURN result, SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view fallback) {
  if (!SQL_SUCCEEDED(result)) {
    ThrowDiagnostics(handle_type, handle, fallback);
  }
}

}  // namespace zqt::odbc
