#pragma once
// The ODBC C interface. Windows' ODBC headers need <windows.h> first; the targets that include this define
// WIN32_LEAN_AND_MEAN and NOMINMAX.

#ifdef _WIN32
#include <windows.h>
#endif

#include <sql.h>
#include <sqlext.h>
