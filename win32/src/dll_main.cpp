#include <windows.h>

#include "module_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    zqt::win32::Module().instance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
