#pragma once
// Paints the owner-drawn "Recalc Statistic" button: a push-button face, a 16 x 16 image and the caption,
// greyed while the button is disabled.

#include <windows.h>

namespace zqt::win32 {

void DrawRecalcButton(const DRAWITEMSTRUCT& item);

}  // namespace zqt::win32
