// The statistics window at the display's scale, with the real DLL loaded into this process: laid out at the
// pixels per inch this process started with (exactly the design sizes at 96), at each of 96, 120, 144 and 192
// set in the prefix's registry, and again in the rectangle WM_DPICHANGED suggests; the font of its caption's
// buttons.

#include <process.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "module_fixture.h"

namespace zqt::test {
namespace {

std::string Box(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// A window's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

LONG FontHeightOf(HWND control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

class WindowScale : public ModuleTest {};

TEST_F(WindowScale, LayoutFollowsTheDisplaysScaleAndWmDpiChanged) {
  const HWND window = OpenWindow();
  const HWND panel = FindWindowExA(window, nullptr, "TPanel", nullptr);
  const HWND button = FindWindowExA(panel, nullptr, "BUTTON", nullptr);
  const HWND edit = FindWindowExA(window, nullptr, "EDIT", nullptr);
  const HDC dc = GetDC(edit);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  if (const char* expected = std::getenv("ZQT_EXPECT_DPI")) {
    ASSERT_EQ(dpi, std::atoi(expected)) << "the prefix's setting did not reach this process";
  }
  // The panel along the bottom, the button's size, the text area above the panel and both fonts at `at`.
  const auto expect_layout_at = [&](int at) {
    const auto scaled = [at](int value) { return MulDiv(value, at, 96); };
    RECT client;
    GetClientRect(window, &client);
    const RECT place = PlaceOf(button);
    EXPECT_EQ(Box(PlaceOf(panel)), Box({0, client.bottom - scaled(23), client.right, client.bottom})) << at;
    EXPECT_EQ(Box(place), Box({place.left, scaled(1), place.left + scaled(195), scaled(1) + scaled(22)}))
        << at;
    EXPECT_EQ(Box(PlaceOf(edit)), Box({0, 0, client.right, client.bottom - scaled(23)})) << at;
    EXPECT_EQ(FontHeightOf(button), -scaled(11)) << at;
    EXPECT_EQ(FontHeightOf(edit), -scaled(11)) << at;
  };
  // The design place and size, moved left only as far as it takes to lie wholly inside the screen's work area
  // (on the suites' 1920 x 1080 display: not at all at 96 and 120 dots per inch).
  const auto scaled = [dpi](int value) { return MulDiv(value, dpi, 96); };
  RECT screen;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
  const int left = std::min(scaled(1052), static_cast<int>(screen.right) - scaled(268));
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_EQ(Box(outer), Box({left, scaled(152), left + scaled(268), scaled(152) + scaled(138)}));
  EXPECT_TRUE(outer.right <= screen.right && outer.bottom <= screen.bottom)
      << Box(outer) << " " << Box(screen);
  EXPECT_EQ(PlaceOf(button).left, scaled(63));
  expect_layout_at(dpi);
  // The four report lines fit the text area.
  SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  ReleaseDC(edit, dc);
  RECT text;
  GetClientRect(edit, &text);
  EXPECT_GE(text.bottom, 4 * metrics.tmHeight);

  const int gap = PlaceOf(panel).right - PlaceOf(button).right;
  for (const int at : {dpi, 144, 192, 120}) {
    const RECT suggested{100, 80, 100 + MulDiv(268, at, 96), 80 + MulDiv(138, at, 96)};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(at, at), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(window, &outer);
    EXPECT_EQ(Box(outer), Box(suggested)) << at;
    expect_layout_at(at);
    EXPECT_EQ(PlaceOf(panel).right - PlaceOf(button).right, MulDiv(gap, at, dpi)) << "the button's distance";
  }
  // The placement is stored with the scale the module read at load, not the one it last moved to.
  release_();
  Pump(std::chrono::milliseconds(50));
  char stored[16] = {};
  DWORD size = sizeof stored;
  RegGetValueA(HKEY_CURRENT_USER, (key_.Path() + "\\TfmMainForm").c_str(), "PixelsPerInch", RRF_RT_REG_SZ,
               nullptr, stored, &size);
  EXPECT_EQ(stored, std::to_string(dpi));
}

int CALLBACK NoteFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// The caption's buttons are drawn with Marlett: in a prefix without it, every window and picture of it shows
// the letters "0", "1" and "r" in their place.
TEST(CaptionButtons, ThePrefixHasMarlettToDrawThem) {
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpyA(wanted.lfFaceName, "Marlett");
  bool found = false;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(found);
}

// A process reads the display's scale once, as it starts, so each scale gets a process of its own started
// after the setting. CTest runs this alone: every process of the prefix started meanwhile sees the scale.
TEST(DisplayScales, EachScaleSetInThePrefixLaysTheWindowOut) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
  for (DWORD dpi : {120UL, 144UL, 192UL, 96UL}) {
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    SetEnvironmentVariableA("ZQT_EXPECT_DPI", std::to_string(dpi).c_str());
    EXPECT_EQ(_spawnl(_P_WAIT, self, self, "--gtest_filter=WindowScale.*", nullptr), 0) << dpi << " dpi";
  }
  SetEnvironmentVariableA("ZQT_EXPECT_DPI", nullptr);
  RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
}

}  // namespace
}  // namespace zqt::test
