#pragma once
// What the placement store needs from the statistics window: the platform's placement record, whether the
// window is visible, its show state and the screen's metrics.

#include <cstdint>

namespace zqt {

struct PlacementPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const PlacementPoint&) const = default;
};

struct PlacementRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const PlacementRect&) const = default;
};

// The fields of the 44-byte record that GetWindowPlacement fills and SetWindowPlacement applies.
struct WindowPlacement {
  std::uint32_t length = 44;
  std::uint32_t flags = 0;
  std::uint32_t show_cmd = 0;
  PlacementPoint min_position;
  PlacementPoint max_position;
  PlacementRect normal_position;
  bool operator==(const WindowPlacement&) const = default;
};
static_assert(sizeof(WindowPlacement) == 44);

enum class WindowState { kNormal, kMaximized };

// GetSystemMetrics indices the store reads: the primary screen's size and the sizing frame of the window's
// sizeable border.
inline constexpr int kSmCxScreen = 0;
inline constexpr int kSmCyScreen = 1;
inline constexpr int kSmCxFrame = 32;
inline constexpr int kSmCyFrame = 33;

class PlacementWindow {
 public:
  virtual ~PlacementWindow() = default;
  virtual WindowPlacement GetPlacement() const = 0;
  virtual void SetPlacement(const WindowPlacement& placement) = 0;
  virtual bool IsVisible() const = 0;
  // A visible window changes state at once; a hidden one takes the state when it is next shown.
  virtual void SetState(WindowState state) = 0;
  // Lets the window repaint at once.
  virtual void Update() = 0;
  virtual int SystemMetric(int index) const = 0;
  // The display's logical pixels per inch, as read once when the module started.
  virtual int PixelsPerInch() const = 0;
};

}  // namespace zqt
