#pragma once
// Facts about the process that loaded the module.

#include <string>

namespace zqt::win32 {

// The path of the host's executable (module handle 0), not the module's own file.
std::string HostExecutablePath();

// What the host's file name gives, split and cased by characters of the ANSI code page: the title of the
// module's error boxes, and the registry key of its window's placement.
std::string HostApplicationTitle();
std::string HostStoreKey();

}  // namespace zqt::win32
