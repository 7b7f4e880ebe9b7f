#pragma once
// The module window's state and report count as the test scripts and the measuring modes read them.

#include <windows.h>

#include <string>
#include <string_view>

namespace zqthost {

// "exists=.. visible=.. iconic=.. button-enabled=.. caption=.. topmost=.. windows=..", the last counting this
// process's top-level windows of that class.
std::string DescribeState(HWND window, std::string_view class_name);

// The QSO count the report shows ("Total\t   N\t..."), or -1 without a report.
long long ReportedQsoCount(HWND window);

}  // namespace zqthost
