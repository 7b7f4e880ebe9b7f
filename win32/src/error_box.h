#pragma once
// The standard error box: the error's text with the full-stop rule, a stop icon, OK, the application title.

#include <windows.h>

#include <string_view>

namespace zqt::win32 {

void ShowErrorBox(HWND owner, std::string_view message);

}  // namespace zqt::win32
