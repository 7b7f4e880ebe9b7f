#include "odbc/cell_text.h"

#include <cstring>

namespace zqt::odbc {

std::string_view CellText(const char* cell, std::size_t capacity, SQLLEN length) {
  if (length == SQL_NULL_DATA || capacity == 0)
    return {};
  const std::size_t most = capacity - 1;
  if (length >= 0 && static_cast<std::size_t>(length) <= most)
    return {cell, static_cast<std::size_t>(length)};
  return {cell, strnlen(cell, most)};
}

}  // namespace zqt::odbc
