#pragma once
// Modes as the module compares them: "CW", "SSB" (all phone but FM), "FM", "RTTY" and "DIGI" (every other
// digital mode), so that a QSO reads the same from a Cabrillo and an ADIF log.

#include <optional>
#include <string_view>

namespace zqt::log_files {

// A Cabrillo mode code (CW, PH, FM, RY, DG), in any letter case.
std::optional<std::string_view> ModeFromCabrillo(std::string_view code);

// An ADIF MODE, or its SUBMODE when MODE is empty; nullopt when both are empty.
std::optional<std::string_view> ModeFromAdif(std::string_view mode, std::string_view submode);

}  // namespace zqt::log_files
