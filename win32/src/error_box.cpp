#include "error_box.h"

#include <string>

#include "core/error_text.h"
#include "win32/host_process.h"

namespace zqt::win32 {

void ShowErrorBox(HWND owner, std::string_view message) {
  const std::string text = ErrorBoxText(message);
  const std::string caption = HostApplicationTitle();
  MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace zqt::win32
