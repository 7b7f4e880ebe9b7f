#include "column_text.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "odbc/diagnostics.h"

namespace zqt::odbc {

void ReadColumnText(SQLHSTMT statement, SQLUSMALLINT column, std::string& text) {
  text.clear();
  std::array<char, 256> chunk;
  const std::size_t room = chunk.size() - 1;  // the driver always ends the chunk with a NUL
  for (;;) {
    SQLLEN length = 0;
    const SQLRETURN result =
        SQLGetData(statement, column, SQL_C_CHAR, chunk.data(), static_cast<SQLLEN>(chunk.size()), &length);
    if (result == SQL_NO_DATA) {
      return;  // the previous chunk was the last
    }
    Check(result, SQL_HANDLE_STMT, statement, "Cannot read a column of the result");
    if (length == SQL_NULL_DATA) {
      return;
    }
    // Truncated (01004): the chunk is full and more follows. The length is what remained before this call.
    const bool more = result == SQL_SUCCESS_WITH_INFO &&
                      (length == SQL_NO_TOTAL || static_cast<std::size_t>(length) > room);
    if (more) {
      text.append(chunk.data(), room);
      continue;
    }
    const std::size_t size =
        length < 0 ? strnlen(chunk.data(), room) : std::min(static_cast<std::size_t>(length), room);
    text.append(chunk.data(), size);
    return;
  }
}

}  // namespace zqt::odbc
