#include "window_frame.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "recalc_button.h"
#include "win32/form_layout.h"

namespace zqt::win32 {
namespace {

constexpr UINT_PTR kButtonId = 1;
constexpr const char* kFormFont = "MS Sans Serif";
constexpr const char* kReportFont = "Courier New";

UniqueFont MakeFormFont(int pixels_per_inch) {
  return MakeFont(kFormFont, ScaledFormLayout(pixels_per_inch).font_height, DEFAULT_CHARSET);
}
UniqueFont MakeReportFont(int pixels_per_inch) {
  return MakeFont(kReportFont, ScaledFormLayout(pixels_per_inch).font_height, RUSSIAN_CHARSET);
}

// The height of one line of text in `font`, as a multi-line EDIT control spaces its lines.
int LineHeight(HFONT font) {
  const UniqueScreenDc dc(GetDC(nullptr));
  const SelectedObject use_font(dc.get(), font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  return metrics.tmHeight;
}

int HeightOf(const RECT& rect) {
  return rect.bottom - rect.top;
}

LayoutBox BoxOf(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, HeightOf(rect)};
}

// The menu bar: "Windows" holding "DXCC", which has no command.
UniqueMenu MakeMainMenu() {
  UniqueMenu menu(CreateMenu());
  UniqueMenu windows(CreatePopupMenu());
  if (!menu || !windows || !AppendMenuA(windows.get(), MF_STRING, WindowFrame::kDxccMenuItem, "DXCC") ||
      !AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(windows.get()), "Windows")) {
    throw std::runtime_error("The statistics window's menu could not be created");
  }
  windows.release();  // the menu bar owns its popup now
  return menu;
}

UniqueWindow MakeWindow(WindowClasses& classes, const LayoutBox& box) {
  classes.Register();
  UniqueMenu menu = MakeMainMenu();
  UniqueWindow window(
      CreateWindowExA(WS_EX_TOPMOST, WindowClasses::kWindowClass, WindowFrame::kInitialCaption,
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, box.left,
                      box.top, box.width, box.height, nullptr, menu.get(), classes.Instance(), nullptr));
  if (!window)
    throw std::runtime_error("The statistics window could not be created");
  menu.release();  // the window destroys its menu
  return window;
}

}  // namespace

WindowFrame::WindowFrame(WindowClasses& classes, int pixels_per_inch)
    : module_pixels_per_inch_(LayoutPixelsPerInch(pixels_per_inch)),
      pixels_per_inch_(module_pixels_per_inch_),
      form_font_(MakeFormFont(pixels_per_inch_)),
      report_font_(MakeReportFont(pixels_per_inch_)),
      window_(MakeWindow(classes, ScaledFormLayout(pixels_per_inch_).window)) {
  CreateControls(classes.Instance());
  FitReportLines();
  KeepOnScreen();
}

void WindowFrame::CreateControls(HINSTANCE instance) {
  const HWND window = window_.get();
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(form_font_.get()), FALSE);
  panel_ = CreateWindowExA(0, WindowClasses::kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                           0, 0, window, nullptr, instance, nullptr);
  button_ =
      CreateWindowExA(0, "BUTTON", "Recalc Statistic", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0,
                      0, 0, 0, panel_, reinterpret_cast<HMENU>(kButtonId), instance, nullptr);
  SendMessageA(button_, WM_SETFONT, reinterpret_cast<WPARAM>(form_font_.get()), FALSE);
  // No word wrap (horizontal auto-scroll), no scroll bars; the operator may type.
  report_edit_ =
      CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                      WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN,
                      0, 0, 0, 0, window, nullptr, instance, nullptr);
  if (!panel_ || !button_ || !report_edit_)
    throw std::runtime_error("The statistics window's controls could not be created");
  SendMessageA(report_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(report_font_.get()), FALSE);
  report_area_.emplace(report_edit_);

  // The button keeps the distance to the panel's right edge that it has at the design size.
  RECT client{};
  GetClientRect(window, &client);
  const LayoutBox& button = ScaledFormLayout(pixels_per_inch_).button;
  button_right_gap_ = client.right - (button.left + button.width);
  Layout();
}

void WindowFrame::Layout() {
  const FormLayout layout = ScaledFormLayout(pixels_per_inch_);
  RECT client{};
  GetClientRect(window_.get(), &client);
  const int panel_top = std::max(0, static_cast<int>(client.bottom) - layout.panel_height);
  MoveWindow(panel_, 0, panel_top, client.right, layout.panel_height, TRUE);
  const int gap = MulDivRounded(button_right_gap_, pixels_per_inch_, module_pixels_per_inch_);
  MoveWindow(button_, client.right - gap - layout.button.width, layout.button.top, layout.button.width,
             layout.button.height, TRUE);
  MoveWindow(report_edit_, 0, 0, client.right, panel_top, TRUE);
}

void WindowFrame::FitReportLines() {
  RECT outer{};
  RECT client{};
  RECT text_outer{};
  RECT text_client{};
  GetWindowRect(window_.get(), &outer);
  GetClientRect(window_.get(), &client);
  GetWindowRect(report_edit_, &text_outer);
  GetClientRect(report_edit_, &text_client);
  const int height = HeightOf(outer);
  const int fitting = HeightForLines(
      height, height - HeightOf(client), ScaledFormLayout(pixels_per_inch_).panel_height,
      HeightOf(text_outer) - HeightOf(text_client), LineHeight(report_font_.get()), kReportLines);
  if (fitting == height)
    return;
  SetWindowPos(window_.get(), nullptr, 0, 0, outer.right - outer.left, fitting,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void WindowFrame::KeepOnScreen() {
  RECT outer{};
  GetWindowRect(window_.get(), &outer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &monitor))
    return;
  const LayoutBox box = MovedInside(BoxOf(outer), BoxOf(monitor.rcWork));
  if (box.left != outer.left || box.top != outer.top)
    SetWindowPos(window_.get(), nullptr, box.left, box.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowFrame::UseFonts(UniqueFont form_font, UniqueFont report_font) {
  // The controls take the new fonts before the old ones are deleted.
  SendMessageA(button_, WM_SETFONT, reinterpret_cast<WPARAM>(form_font.get()), TRUE);
  SendMessageA(report_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(report_font.get()), TRUE);
  form_font_ = std::move(form_font);
  report_font_ = std::move(report_font);
}

void WindowFrame::SetCaption(std::string_view caption) {
  SetWindowTextA(window_.get(), std::string(caption).c_str());
}

void WindowFrame::SetButtonEnabled(bool enabled) {
  EnableWindow(button_, enabled ? TRUE : FALSE);
}

std::optional<LRESULT> WindowFrame::HandleLayoutMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_DPICHANGED: {
      if (lparam == 0)
        return std::nullopt;
      const RECT& suggested = *reinterpret_cast<const RECT*>(lparam);
      pixels_per_inch_ = LayoutPixelsPerInch(HIWORD(wparam));
      UseFonts(MakeFormFont(pixels_per_inch_), MakeReportFont(pixels_per_inch_));
      SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   HeightOf(suggested), SWP_NOZORDER | SWP_NOACTIVATE);
      Layout();
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->hwndItem != button_)
        return std::nullopt;
      DrawRecalcButton(*item);
      return TRUE;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace zqt::win32
