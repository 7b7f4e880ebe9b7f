#pragma once
// What the host can see of the module's window from outside: its controls and texts.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zqthost {

std::string WindowText(HWND window);
std::string ClassNameOf(HWND window);

// The first descendant whose class name contains the given text, letter case ignored.
HWND FindDescendant(HWND parent, std::string_view class_part);

// The report text area's text with CR LF turned into LF; nothing when the window or its text area is missing.
std::optional<std::string> ReadReport(HWND window);

// The report as printed: "report:", the text's lines, "end report"; or "report: none".
std::string FormatReport(const std::optional<std::string>& report);

// A window or other handle as printed: "0x" and lower-case hex digits.
std::string HandleText(const void* handle);

// Turns every CR LF into LF.
std::string UnixLines(std::string_view text);

}  // namespace zqthost
