#pragma once
// What the placement store needs from the window it keeps: the platform's placement record, the window's
// state and the screen's metrics.

#include <cstdint>
#include <string>

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
};
static_assert(sizeof(WindowPlacement) == 44);

enum class WindowState { kNormal, kMinimized, kMaximized };

// The window's frame, numbered as the stored border styles are.
enum class BorderStyle {
  kNone = 0,
  kSingle = 1,
  kSizeable = 2,
  kDialog = 3,
  kToolWindow = 4,
  kSizeToolWin = 5,
};

// GetSystemMetrics indices the store reads.
inline constexpr int kSmCxScreen = 0;
inline constexpr int kSmCyScreen = 1;
inline constexpr int kSmCxBorder = 5;
inline constexpr int kSmCyBorder = 6;
inline constexpr int kSmCxDlgFrame = 7;
inline constexpr int kSmCyDlgFrame = 8;
inline constexpr int kSmCxFrame = 32;
inline constexpr int kSmCyFrame = 33;

class PlacementWindow {
 public:
  virtual ~PlacementWindow() = default;
  // The window's class name, the default section of its store.
  virtual std::string ClassName() const = 0;
  // Whether the native window exists.
  virtual bool HandleAllocated() const = 0;
  virtual WindowPlacement GetPlacement() const = 0;
  virtual void SetPlacement(const WindowPlacement& placement) = 0;
  virtual bool IsVisible() const = 0;
  virtual BorderStyle Border() const = 0;
  virtual int SystemMetric(int index) const = 0;
  // The display's logical pixels per inch, as read once when the module started.
  virtual int PixelsPerInch() const = 0;
  // A visible window changes state at once; a hidden one takes the state when it is next shown.
  virtual void SetState(WindowState state) = 0;
  // Lets the window repaint at once.
  virtual void Update() = 0;
};

}  // namespace zqt
