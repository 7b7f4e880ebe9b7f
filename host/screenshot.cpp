#include "screenshot.h"

#include <fstream>

#include "host_error.h"
#include "win32/win_handles.h"

namespace zqthost {
namespace {

[[noreturn]] void Fail(const std::string& text) {
  throw HostError(ExitCode::kFailure, text);
}

}  // namespace

void SaveWindowScreenshot(HWND window, const std::string& path) {
  RECT rect;
  if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) {
    Fail("cannot take a screenshot: the module window has no area on the screen");
  }
  const LONG width = rect.right - rect.left;
  const LONG height = rect.bottom - rect.top;
  // Rows of 24-bit pixels padded to whole 32-bit words, as BMP stores them.
  const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
  const DWORD image_size = stride * static_cast<DWORD>(height);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // positive: bottom-up rows, the order the file keeps them in
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = image_size;

  const zqt::win32::UniqueScreenDc screen(GetDC(nullptr));
  const zqt::win32::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  void* bits = nullptr;
  const zqt::win32::UniqueBitmap bitmap(CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&info),
                                                         DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen || !memory || !bitmap || bits == nullptr) {
    Fail("cannot take a screenshot: no drawing surface");
  }
  // Only the part on the screen is copied (Wine reads nothing at all when the source leaves the screen); the
  // rest of the picture stays black.
  const RECT screen_rect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                         GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  RECT visible;
  if (IntersectRect(&visible, &rect, &screen_rect)) {
    const zqt::win32::SelectedObject selection(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), visible.left - rect.left, visible.top - rect.top, visible.right - visible.left,
                visible.bottom - visible.top, screen.get(), visible.left, visible.top,
                SRCCOPY | CAPTUREBLT)) {
      Fail("cannot take a screenshot: the screen cannot be read");
    }
  }
  GdiFlush();

  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + image_size;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(&header), sizeof header);
  file.write(reinterpret_cast<const char*>(&info), sizeof info);
  file.write(static_cast<const char*>(bits), static_cast<std::streamsize>(image_size));
  file.close();
  if (!file) {
    Fail("cannot write " + path);
  }
}

}  // namespace zqthost
