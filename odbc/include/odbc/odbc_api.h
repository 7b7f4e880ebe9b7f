#pragma once
// The ODBC C interface. Windows' ODBC headers need <windows.h> first; the targets that include this define
// WIN32_LEAN_AND_MEAN and NOMINMAX. The unsuffixed ANSI functions are called even in a UNICODE build, since
// Wine's odbc32 lacks some ...A variants.

#ifdef _WIN32
#include <windows.h>
#endif

#ifndef SQL_NOUNICODEMAP
#define SQL_NOUNICODEMAP
#endif

#include <sql.h>
#include <sqlext.h>
