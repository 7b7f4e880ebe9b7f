#include <windows.h>

#include "module_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    zqt::win32::Module().Loaded(instance);
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // FreeLibrary, not the end of the process (where windows and classes go with it).
    zqt::win32::Module().Unload();
  }
  return TRUE;
}
