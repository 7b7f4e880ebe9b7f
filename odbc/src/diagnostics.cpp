#include "odbc/diagnostics.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "core/error.h"

namespace zqt::odbc {

namespace {

// One record's message text; false when the record does not exist.
bool ReadRecord(SQLSMALLINT handle_type, SQLHANDLE handle, SQLSMALLINT record, std::string& text) {
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
    text.assign(reinterpret_cast<const char*>(message.data()), std::min(available, message.size() - 1));
    return true;
  }
}

}  // namespace

std::string DiagnosticText(SQLSMALLINT handle_type, SQLHANDLE handle) {
  std::string joined;
  std::string text;
  for (SQLSMALLINT record = 1; record < std::numeric_limits<SQLSMALLINT>::max(); ++record) {
    if (!ReadRecord(handle_type, handle, record, text)) {
      break;
    }
    if (record > 1) {
      joined += '\n';
    }
    joined += text;
  }
  return joined;
}

void ThrowDiagnostics(SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view fallback) {
  std::string text = handle == SQL_NULL_HANDLE ? std::string() : DiagnosticText(handle_type, handle);
  if (text.empty()) {
    text = fallback;
  }
  throw Error(text);
}

}  // namespace zqt::odbc
