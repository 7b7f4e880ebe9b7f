#include "odbc/diagnostics.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace zqt::odbc {

namespace {

// One record's SQLSTATE and message text; false when the record does not exist.
bool ReadRecord(SQLSMALLINT handle_type, SQLHANDLE handle, SQLSMALLINT record, Diagnostic& diagnostic) {
  SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
  SQLINTEGER native = 0;
  std::vector<SQLCHAR> message(SQL_MAX_MESSAGE_LENGTH);
  for (;;) {
    SQLSMALLINT length = 0;
    const SQLRETURN result = SQLGetDiagRec(handle_type, handle, record, state, &native, message.data(),
                                           static_cast<SQLSMALLINT>(message.size()), &length);
    if (!SQL_SUCCEEDED(result)) {
      return false;
    }
    const auto available = static_cast<std::size_t>(std::max<SQLSMALLINT>(length, 0));
    // The message did not fit: ask again with room for all of it.
    if (available >= message.size() && available < std::numeric_limits<SQLSMALLINT>::max()) {
      message.resize(available + 1);
      continue;
    }
    diagnostic.state = reinterpret_cast<const char*>(state);
    diagnostic.text.assign(reinterpret_cast<const char*>(message.data()),
                           std::min(available, message.size() - 1));
    return true;
  }
}

}  // namespace

std::vector<Diagnostic> Diagnostics(SQLSMALLINT handle_type, SQLHANDLE handle) {
  std::vector<Diagnostic> records;
  if (handle == SQL_NULL_HANDLE) {
    return records;
  }
  Diagnostic diagnostic;
  for (SQLSMALLINT record = 1; record < std::numeric_limits<SQLSMALLINT>::max(); ++record) {
    if (!ReadRecord(handle_type, handle, record, diagnostic)) {
      break;
    }
    records.push_back(std::move(diagnostic));
  }
  return records;
}

std::string DiagnosticText(SQLSMALLINT handle_type, SQLHANDLE handle) {
  return Error(Diagnostics(handle_type, handle), "").what();
}

void ThrowDiagnostics(SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view fallback) {
  throw Error(Diagnostics(handle_type, handle), fallback);
}

}  // namespace zqt::odbc
