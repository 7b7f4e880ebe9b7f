// The window's layout arithmetic: the design sizes scaled with Windows' rounding, and the height that keeps
// the report's four lines whole.

#include "win32/form_layout.h"

#include <gtest/gtest.h>

#include <array>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zqt::win32 {
namespace {

TEST(FormLayout, ScalesTheDesignSizesRoundingAsMulDivAndGrowsOnlyToShowTheReportLines) {
  for (const auto& [value, numerator, denominator, expected] :
       {std::array{11, 144, 96, 17}, {1, 120, 96, 1}, {-3, 144, 96, -5}, {4, 1, 3, 1}, {5, 1, 3, 2}}) {
    EXPECT_EQ(MulDivRounded(value, numerator, denominator), expected) << value << "*" << numerator;
#ifdef _WIN32
    EXPECT_EQ(MulDivRounded(value, numerator, denominator), MulDiv(value, numerator, denominator));
#endif
  }
  const FormLayout design{{1052, 152, 268, 138}, 23, {63, 1, 195, 22}, 11};
  EXPECT_EQ(ScaledFormLayout(96), design);
  EXPECT_EQ(ScaledFormLayout(0), design) << "a display that reports no scale";
  EXPECT_EQ(ScaledFormLayout(120), (FormLayout{{1315, 190, 335, 173}, 29, {79, 1, 244, 28}, 14}));
  EXPECT_EQ(ScaledFormLayout(144), (FormLayout{{1578, 228, 402, 207}, 35, {95, 2, 293, 33}, 17}));
  // The height that shows the report lines whole: outer height 138, of which the frame, caption and menu take
  // 46, the panel 23 and the text's border 4.
  EXPECT_EQ(HeightForLines(138, 46, 23, 4, 13, kReportLines), 138);
  EXPECT_EQ(HeightForLines(138, 47, 23, 4, 16, kReportLines), 138) << "exactly four lines";
  EXPECT_EQ(HeightForLines(138, 66, 23, 4, 13, kReportLines), 145);
  // Kept on a monitor's work area: at 96 dpi a 1920 x 1080 screen holds the design place, at 144 dpi the
  // window moves left by what lies beyond the right edge; a window larger than the area keeps its top left
  // corner.
  const LayoutBox place = design.window;
  const LayoutBox screen{0, 0, 1920, 1080};
  const std::array<LayoutBox, 3> moves[] = {{place, screen, place},
                                            {ScaledFormLayout(144).window, screen, {1518, 228, 402, 207}},
                                            {place, {1280, -40, 1024, 300}, {1280, 122, 268, 138}},
                                            {place, {0, 0, 200, 100}, {0, 0, 268, 138}}};
  for (const auto& [box, area, expected] : moves)
    EXPECT_EQ(MovedInside(box, area), expected) << area.left << "," << area.top << " " << area.width;
}

}  // namespace
}  // namespace zqt::win32
