#include "recalc_button.h"

#include <array>
#include <string>

#include "win32/win_handles.h"

namespace zqt::win32 {
namespace {

constexpr int kGlyphSize = 16;
constexpr int kGlyphGap = 4;

// Two arrows chasing each other round a circle: the usual picture for "count again".
void DrawGlyph(HDC dc, int left, int top, bool enabled) {
  const COLORREF colour = enabled ? RGB(0, 128, 0) : GetSysColor(COLOR_GRAYTEXT);
  UniquePen pen(CreatePen(PS_SOLID, 2, colour));
  UniqueBrush brush(CreateSolidBrush(colour));
  SelectedObject use_pen(dc, pen.get());
  SelectedObject use_brush(dc, brush.get());
  const int cx = left + kGlyphSize / 2;
  const int cy = top + kGlyphSize / 2;
  Arc(dc, left + 2, top + 2, left + 14, top + 14, cx + 6, cy - 2, cx - 2, cy - 6);
  Arc(dc, left + 2, top + 2, left + 14, top + 14, cx - 6, cy + 2, cx + 2, cy + 6);
  const std::array<POINT, 3> head1{{{cx - 1, top}, {cx + 3, top + 3}, {cx - 1, top + 6}}};
  const std::array<POINT, 3> head2{{{cx + 1, top + 10}, {cx - 3, top + 13}, {cx + 1, top + 16}}};
  Polygon(dc, head1.data(), 3);
  Polygon(dc, head2.data(), 3);
}

}  // namespace

void DrawRecalcButton(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  const bool enabled = (item.itemState & ODS_DISABLED) == 0;
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0u));

  char text[64] = {};
  const int length = GetWindowTextA(item.hwndItem, text, static_cast<int>(sizeof text));
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
  SelectedObject use_font(dc, font);
  SIZE extent{};
  GetTextExtentPoint32A(dc, text, length, &extent);

  const int shift = pushed ? 1 : 0;
  const int content = kGlyphSize + kGlyphGap + extent.cx;
  const int left = face.left + (face.right - face.left - content) / 2 + shift;
  const int middle = (face.top + face.bottom) / 2 + shift;
  DrawGlyph(dc, left, middle - kGlyphSize / 2, enabled);

  SetBkMode(dc, TRANSPARENT);
  const int text_left = left + kGlyphSize + kGlyphGap;
  const int text_top = middle - extent.cy / 2;
  if (enabled) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextOutA(dc, text_left, text_top, text, length);
  } else {
    // The engraved look of disabled text: a highlight under a grey.
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    TextOutA(dc, text_left + 1, text_top + 1, text, length);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    TextOutA(dc, text_left, text_top, text, length);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = face;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace zqt::win32
