#pragma once
// Reads one column of the current row as text, whatever its length.

#include <string>

#include "odbc/odbc_api.h"

namespace zqt::odbc {

// Replaces `text` with the column's value converted to SQL_C_CHAR; NULL reads as "". Reuses `text`'s storage.
void ReadColumnText(SQLHSTMT statement, SQLUSMALLINT column, std::string& text);

}  // namespace zqt::odbc
