#pragma once
// What the placement store must do, worked out on its own from the stored values and the window by the
// placement rules: the records a restore applies, the show state it sets, and the ten values a save writes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "placement/placement_window.h"
#include "support/fake_section.h"
#include "support/fake_window.h"

namespace zqt::fuzzing {

// The values a restore reads, in the order it reads them.
enum Name : std::size_t {
  kFormVersion,
  kFlags,
  kMinMaxPosSized,
  kMinMaxPos,
  kNormPosSized,
  kNormPos,
  kPixelsPerInch,
  kShowCmd,
  kCurrentBand,
};
inline constexpr std::array<std::string_view, 9> kNames = {
    "FormVersion",   "Flags",   "MinMaxPos(1920x1080)", "MinMaxPos", "NormPos(1920x1080)", "NormPos",
    "PixelsPerInch", "ShowCmd", "CurrentBand"};

struct StoredValue {
  std::uint32_t type = 0;
  std::string data;
};
using SectionValues = std::array<std::optional<StoredValue>, kNames.size()>;

struct Restore {
  std::vector<WindowPlacement> applied;
  std::optional<WindowState> state;
  int updates = 0;
  bool restored = false;
  // The stored value's text for the next save.
  std::string current_band = "1";
  // The error the restore shows.
  std::optional<std::string> error;
};

// The restore of a window whose section holds `values`; null when the section cannot be read.
Restore ExpectedRestore(const SectionValues* values, const test::FakeWindow& window);

// The ten values a save writes, in order, for the window as it stands.
std::vector<test::RecordedWrite> TenValues(const test::FakeWindow& window, bool destroying,
                                           const std::string& current_band);

}  // namespace zqt::fuzzing
