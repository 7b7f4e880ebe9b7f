#pragma once
// The statistics window's frame: the native top-level window (always on top, sizeable, its menu "Windows"
// holding "DXCC"), the button panel along its bottom with the owner-drawn "Recalc Statistic" button, and the
// report's text area above, laid out at the display's scale and kept on the screen.

#include <windows.h>

#include <optional>
#include <string_view>

#include "report_area.h"
#include "win32/win_handles.h"
#include "window_classes.h"

namespace zqt::win32 {

class WindowFrame {
 public:
  static constexpr UINT_PTR kDxccMenuItem = 100;
  static constexpr const char* kInitialCaption = "ZQT RTTY Contest";

  // Creates the window hidden at the design place and size scaled to `pixels_per_inch` (the display's scale
  // as the module read it), grown where the report's lines would not fit and moved just far enough to lie
  // wholly on its monitor's work area.
  WindowFrame(WindowClasses& classes, int pixels_per_inch);
  WindowFrame(const WindowFrame&) = delete;
  WindowFrame& operator=(const WindowFrame&) = delete;

  HWND Handle() const { return window_.get(); }
  bool IsButton(HWND control) const { return control != nullptr && control == button_; }
  ReportArea& Report() { return *report_area_; }
  void SetCaption(std::string_view caption);
  void SetButtonEnabled(bool enabled);
  // Sizing, a change of scale (WM_DPICHANGED: the suggested rectangle, the layout and fonts at the new scale)
  // and the button's drawing; empty for any other message.
  std::optional<LRESULT> HandleLayoutMessage(UINT msg, WPARAM wparam, LPARAM lparam);
  // The system is destroying the window: the frame lets go of it.
  void Detach() { static_cast<void>(window_.release()); }

 private:
  void CreateControls(HINSTANCE instance);
  // Places the panel, the button and the text area in the client area at the current scale.
  void Layout();
  // Grows the window where the four report lines would not fit its text area at the design size.
  void FitReportLines();
  void KeepOnScreen();
  void UseFonts(UniqueFont form_font, UniqueFont report_font);

  // The scale the module read at load, and the one the window is laid out at until WM_DPICHANGED gives
  // another.
  int module_pixels_per_inch_;
  int pixels_per_inch_;
  UniqueFont form_font_;
  UniqueFont report_font_;
  // The native window and its controls; the window destroys the controls with itself.
  UniqueWindow window_;
  HWND panel_ = nullptr;
  HWND button_ = nullptr;
  HWND report_edit_ = nullptr;
  // The button's distance to the panel's right edge, at the module's own scale.
  int button_right_gap_ = 0;
  // Declared after the window, so that it goes first and hands the text area its own procedure back.
  std::optional<ReportArea> report_area_;
};

}  // namespace zqt::win32
