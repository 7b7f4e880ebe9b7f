#pragma once
// The statistics window's layout at a display's logical pixels per inch: the design sizes at 96, scaled and
// rounded as Windows rounds them, kept on the screen, and the height that keeps the report's lines whole in
// the text area.

namespace zqt::win32 {

inline constexpr int kDesignPixelsPerInch = 96;
inline constexpr int kReportLines = 4;

// value * numerator / denominator, rounded to the nearest integer with halves away from zero, as Windows'
// MulDiv rounds; denominator > 0.
int MulDivRounded(int value, int numerator, int denominator);

// The pixels per inch a layout is made for: a display that reports none is laid out at the design scale.
int LayoutPixelsPerInch(int pixels_per_inch);

struct LayoutBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const LayoutBox&, const LayoutBox&) = default;
};

struct FormLayout {
  LayoutBox window;  // the outer rectangle at the design position
  int panel_height = 0;
  LayoutBox button;     // on the panel
  int font_height = 0;  // character height of both fonts
  friend bool operator==(const FormLayout&, const FormLayout&) = default;
};

FormLayout ScaledFormLayout(int pixels_per_inch);

// `box` moved just enough to lie wholly inside `area` (a monitor's work area); a box larger than the area
// keeps its left or top edge on the area's.
LayoutBox MovedInside(const LayoutBox& box, const LayoutBox& area);

// The outer height at which the text area, which fills the client area above the panel, shows `lines` lines
// whole: `height` itself when they fit already. `frame` is what the window's border, caption and menu take
// from the outer height, `text_frame` what the text area's own border takes from its height.
int HeightForLines(int height, int frame, int panel_height, int text_frame, int line_height, int lines);

}  // namespace zqt::win32
