#pragma once
// Reads the diagnostic records a failed ODBC call left on its handle, and raises them as odbc::Error.

#include <string>
#include <string_view>
#include <vector>

#include "odbc/error.h"
#include "odbc/odbc_api.h"

namespace zqt::odbc {

// Every diagnostic record of the handle, in order; none for a null handle.
std::vector<Diagnostic> Diagnostics(SQLSMALLINT handle_type, SQLHANDLE handle);

// The texts of all diagnostic records of the handle, joined by a newline; "" when there are none.
std::string DiagnosticText(SQLSMALLINT handle_type, SQLHANDLE handle);

// Raises the handle's diagnostic records, or `fallback` when the driver left none.
[[noreturn]] void ThrowDiagnostics(SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view fallback);

// Raises as above unless `result` is SQL_SUCCESS or SQL_SUCCESS_WITH_INFO.
inline void Check(SQLRETURN result, SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view fallback) {
  if (!SQL_SUCCEEDED(result)) {
    ThrowDiagnostics(handle_type, handle, fallback);
  }
}

}  // namespace zqt::odbc
