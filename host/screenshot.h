#pragma once
// Saves what the screen shows of a window as a 24-bit BMP file.

#include <windows.h>

#include <string>

namespace zqthost {

// Throws HostError when the screen cannot be read or the file cannot be written.
void SaveWindowScreenshot(HWND window, const std::string& path);

}  // namespace zqthost
