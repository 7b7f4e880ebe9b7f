#pragma once
// A window that records what the placement store does to it, on a 1920 x 1080 screen at 96 pixels per inch,
// and an error sink that keeps the texts it is shown.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "placement/form_storage.h"
#include "placement/placement_window.h"

namespace zqt {

inline void PrintTo(const PlacementPoint& p, std::ostream* os) {
  *os << '(' << p.x << ',' << p.y << ')';
}
inline void PrintTo(const PlacementRect& r, std::ostream* os) {
  *os << '{' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << '}';
}

}  // namespace zqt

namespace zqt::test {

class FakeWindow : public PlacementWindow {
 public:
  // The design place: left 1052, top 152, 268 x 138.
  static constexpr PlacementRect kDesignRect{1052, 152, 1320, 290};

  WindowPlacement placement{44, 0, 1, {-1, -1}, {-1, -1}, kDesignRect};
  bool visible = false;
  int pixels_per_inch = 96;
  std::optional<WindowState> state;
  std::vector<WindowPlacement> applied;
  int updates = 0;

  WindowPlacement GetPlacement() const override { return placement; }
  // Like the platform, reports the window's own show state, which applying show command 0 leaves alone.
  void SetPlacement(const WindowPlacement& p) override {
    applied.push_back(p);
    const auto show_cmd = placement.show_cmd;
    placement = p;
    if (p.show_cmd == 0) {
      placement.show_cmd = show_cmd;
    }
  }
  bool IsVisible() const override { return visible; }
  void SetState(WindowState s) override { state = s; }
  void Update() override { ++updates; }
  // Distinct numbers per metric, so a swapped index shows.
  int SystemMetric(int index) const override {
    switch (index) {
      case kSmCxScreen:
        return 1920;
      case kSmCyScreen:
        return 1080;
      case kSmCxFrame:
        return 4;
      case kSmCyFrame:
        return 6;
      default:
        return 0;
    }
  }
  int PixelsPerInch() const override { return pixels_per_inch; }
};

class RecordingErrors : public ErrorSink {
 public:
  std::vector<std::string> shown;
  void ShowError(std::string_view text) override { shown.emplace_back(text); }
};

}  // namespace zqt::test
