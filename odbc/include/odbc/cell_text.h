#pragma once
// The text a driver left in one cell of a fetched row.

#include <cstddef>
#include <cstring>
#include <string_view>

#include "odbc/odbc_api.h"

namespace zqt::odbc {

// The text in `cell`, a buffer of `capacity` bytes, given the length the driver reported: empty for NULL; a
// value that fitted is `length` bytes long. A longer value, or one of unknown length, was cut by the driver,
// which ends what it kept with a zero byte: at the cell's last byte, or before it where the driver cuts at a
// character boundary.
inline std::string_view CellText(const char* cell, std::size_t capacity, SQLLEN length) {
  if (length == SQL_NULL_DATA || capacity == 0)
    return {};
  const std::size_t most = capacity - 1;
  if (length >= 0 && static_cast<std::size_t>(length) <= most)
    return {cell, static_cast<std::size_t>(length)};
  return {cell, strnlen(cell, most)};
}

}  // namespace zqt::odbc
