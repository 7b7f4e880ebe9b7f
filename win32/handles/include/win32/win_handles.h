#pragma once
// RAII owners of the Win32 handles that the module, the reference host and the test driver create.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace zqt::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniquePen = std::unique_ptr<std::remove_pointer_t<HPEN>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

// A menu not yet handed to a window; a window destroys the menu it was given.
struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

// A window of the module's classes, whose user data points at the object that owns it. The pointer is cleared
// before the window is destroyed, so no message of the destruction reaches an object that is going away.
struct WindowDeleter {
  void operator()(HWND window) const {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// The screen's device context, released at the end of its scope.
struct ScreenDcReleaser {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using UniqueScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcReleaser>;

// A memory device context, deleted at the end of its scope.
struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// Selects an object into a device context for one scope and puts the old one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, old_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A hook on the thread's windows, removed at the end of its scope.
struct HookDeleter {
  void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
using UniqueHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, HookDeleter>;

// A font of the given face, height in pixels (character height, as a negative LOGFONT height) and charset.
UniqueFont MakeFont(const char* face, int pixel_height, BYTE charset);

}  // namespace zqt::win32
