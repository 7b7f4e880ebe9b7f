#pragma once
// Reading and writing a window's placement values in a section of the open store.

#include <string>
#include <string_view>

#include "placement/placement_window.h"
#include "placement/reg_ini_file.h"

namespace zqt {

// "(%dx%d)" of the primary screen's width and height.
std::string ScreenSizeSuffix(const PlacementWindow& window);

// The value suffixed for the current screen size, else the plain value; empty when neither has text.
std::string ReadSizedText(TRegIniFile& store, std::string_view section, std::string_view name,
                          const PlacementWindow& window);
// Writes the suffixed value, then the plain one.
void WriteSizedText(TRegIniFile& store, std::string_view section, std::string_view name,
                    std::string_view text, const PlacementWindow& window);

// Applies the stored position (when `load_position`) and show state (when `load_state`) to the window.
void ReadWindowPlacement(PlacementWindow& window, TRegIniFile& store, std::string_view section,
                         bool load_state, bool load_position);
// Writes "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos" and "NormPos" in that order.
void WriteWindowPlacement(const PlacementWindow& window, TRegIniFile& store, std::string_view section);

}  // namespace zqt
