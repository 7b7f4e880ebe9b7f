#pragma once
// What the host runs as, for the headers of its measurements.

#include <string>

namespace zqthost {

// "32-bit (i686) process under Wine 8.0", "64-bit (x86-64) process on Windows", ...
std::string PlatformName();

}  // namespace zqthost
