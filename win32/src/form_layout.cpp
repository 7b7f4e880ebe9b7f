#include "win32/form_layout.h"

#include <algorithm>

namespace zqt::win32 {
namespace {

// The layout table at 96 dots per inch.
constexpr FormLayout kDesign{{1052, 152, 268, 138}, 23, {63, 1, 195, 22}, 11};

int MovedInside(int start, int length, int area_start, int area_length) {
  return std::max(area_start, std::min(start, area_start + area_length - length));
}

}  // namespace

int MulDivRounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>((product < 0 ? product - half : product + half) / denominator);
}

int LayoutPixelsPerInch(int pixels_per_inch) {
  return pixels_per_inch > 0 ? pixels_per_inch : kDesignPixelsPerInch;
}

FormLayout ScaledFormLayout(int pixels_per_inch) {
  const int dpi = LayoutPixelsPerInch(pixels_per_inch);
  const auto scale = [dpi](int value) { return MulDivRounded(value, dpi, kDesignPixelsPerInch); };
  const auto scale_box = [&scale](const LayoutBox& box) {
    return LayoutBox{scale(box.left), scale(box.top), scale(box.width), scale(box.height)};
  };
  return {scale_box(kDesign.window), scale(kDesign.panel_height), scale_box(kDesign.button),
          scale(kDesign.font_height)};
}

LayoutBox MovedInside(const LayoutBox& box, const LayoutBox& area) {
  return {MovedInside(box.left, box.width, area.left, area.width),
          MovedInside(box.top, box.height, area.top, area.height), box.width, box.height};
}

int HeightForLines(int height, int frame, int panel_height, int text_frame, int line_height, int lines) {
  return std::max(height, frame + panel_height + text_frame + lines * line_height);
}

}  // namespace zqt::win32
