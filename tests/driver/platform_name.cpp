#include "platform_name.h"

#include <windows.h>

namespace zqthost {

std::string PlatformName() {
  std::string text = sizeof(void*) == 4 ? "32-bit (i686) process" : "64-bit (x86-64) process";
  using WineVersion = const char*(__cdecl*)();
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  const FARPROC proc = ntdll ? GetProcAddress(ntdll, "wine_get_version") : nullptr;
  if (proc != nullptr) {
    text += " under Wine " + std::string(reinterpret_cast<WineVersion>(reinterpret_cast<void (*)()>(proc))());
  } else {
    text += " on Windows";
  }
  return text;
}

}  // namespace zqthost
