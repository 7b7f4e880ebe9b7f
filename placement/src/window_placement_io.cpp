#include "placement/window_placement_io.h"

#include <cstdint>
#include <limits>
#include <string>

#include "placement/position_words.h"

namespace zqt {
namespace {

std::string FourNumbers(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  return std::to_string(a) + ',' + std::to_string(b) + ',' + std::to_string(c) + ',' + std::to_string(d);
}

bool FitsInt32(std::int64_t n) {
  return n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max();
}

bool IsSizeable(BorderStyle border) {
  return border == BorderStyle::kSizeable || border == BorderStyle::kSizeToolWin;
}

void ReadPosition(PlacementWindow& window, TRegIniFile& store, std::string_view section,
                  WindowPlacement& placement) {
  const PlacementRect current = placement.normal_position;
  placement.flags = static_cast<std::uint32_t>(
      store.ReadInteger(section, "Flags", static_cast<std::int32_t>(placement.flags)));
  bool found = false;
  if (const auto text = ReadSizedText(store, section, "MinMaxPos", window); !text.empty()) {
    found = true;
    placement.min_position = {PositionWordToInt(text, 1, 0), PositionWordToInt(text, 2, 0)};
    placement.max_position = {PositionWordToInt(text, 3, 0), PositionWordToInt(text, 4, 0)};
  }
  auto& normal = placement.normal_position;
  if (const auto text = ReadSizedText(store, section, "NormPos", window); !text.empty()) {
    found = true;
    normal = {PositionWordToInt(text, 1, current.left), PositionWordToInt(text, 2, current.top),
              PositionWordToInt(text, 3, current.right), PositionWordToInt(text, 4, current.bottom)};
  }
  // Positions taken at another display resolution do not fit this one.
  if (store.ReadInteger(section, "PixelsPerInch", window.PixelsPerInch()) != window.PixelsPerInch() ||
      !found) {
    return;
  }
  if (!IsSizeable(window.Border())) {
    // The current size at the stored corner, in 64 bits: a stored corner near the end of the coordinate
    // range, or a current rectangle wider than the range, gives an edge no placement record can hold, and
    // such a position is not applied.
    const std::int64_t right = std::int64_t{normal.left} + (std::int64_t{current.right} - current.left);
    const std::int64_t bottom = std::int64_t{normal.top} + (std::int64_t{current.bottom} - current.top);
    if (!FitsInt32(right) || !FitsInt32(bottom)) {
      return;
    }
    normal.right = static_cast<std::int32_t>(right);
    normal.bottom = static_cast<std::int32_t>(bottom);
  }
  if (normal.right > normal.left) {
    window.SetPlacement(placement);
  }
}

// Returns false when the stored state was minimised: that request would go to the application's own
// top-level window, which this module does not have, so the window opens normal and is not repainted.
bool ReadState(PlacementWindow& window, TRegIniFile& store, std::string_view section) {
  // An always-on-top window opens normal unless told otherwise.
  auto state = WindowState::kNormal;
  switch (store.ReadInteger(section, "ShowCmd", 0)) {
    case 1:
    case 5:
    case 9:
      state = WindowState::kNormal;
      break;
    case 2:
    case 6:
    case 7:
      window.SetState(WindowState::kNormal);
      return false;
    case 3:
      state = WindowState::kMaximized;
      break;
    default:
      break;
  }
  window.SetState(state);
  return true;
}

}  // namespace

std::string ScreenSizeSuffix(const PlacementWindow& window) {
  return '(' + std::to_string(window.SystemMetric(kSmCxScreen)) + 'x' +
         std::to_string(window.SystemMetric(kSmCyScreen)) + ')';
}

std::string ReadSizedText(TRegIniFile& store, std::string_view section, std::string_view name,
                          const PlacementWindow& window) {
  auto text = store.ReadString(section, std::string(name) + ScreenSizeSuffix(window), "");
  return text.empty() ? store.ReadString(section, name, "") : text;
}

void WriteSizedText(TRegIniFile& store, std::string_view section, std::string_view name,
                    std::string_view text, const PlacementWindow& window) {
  store.WriteString(section, std::string(name) + ScreenSizeSuffix(window), text);
  store.WriteString(section, name, text);
}

void ReadWindowPlacement(PlacementWindow& window, TRegIniFile& store, std::string_view section,
                         bool load_state, bool load_position) {
  if (!load_state && !load_position) {
    return;
  }
  auto placement = window.GetPlacement();
  // Applying the record to a hidden window must not show it.
  if (!window.IsVisible()) {
    placement.show_cmd = 0;
  }
  if (load_position) {
    ReadPosition(window, store, section, placement);
  }
  if (load_state && !ReadState(window, store, section)) {
    return;
  }
  window.Update();
}

void WriteWindowPlacement(const PlacementWindow& window, TRegIniFile& store, std::string_view section) {
  const auto placement = window.GetPlacement();
  store.WriteInteger(section, "Flags", static_cast<std::int32_t>(placement.flags));
  store.WriteInteger(section, "ShowCmd", static_cast<std::int32_t>(placement.show_cmd));
  store.WriteInteger(section, "PixelsPerInch", window.PixelsPerInch());
  WriteSizedText(store, section, "MinMaxPos",
                 FourNumbers(placement.min_position.x, placement.min_position.y, placement.max_position.x,
                             placement.max_position.y),
                 window);
  const auto& normal = placement.normal_position;
  WriteSizedText(store, section, "NormPos", FourNumbers(normal.left, normal.top, normal.right, normal.bottom),
                 window);
}

}  // namespace zqt
