#include "log_files/modes.h"

#include <array>

#include "log_files/ascii_text.h"

namespace zqt::log_files {

namespace {

struct ModeName {
  std::string_view name;
  std::string_view mode;
};

constexpr std::array<ModeName, 5> kCabrilloCodes = {{
    {"CW", "CW"},
    {"PH", "SSB"},
    {"FM", "FM"},
    {"RY", "RTTY"},
    {"DG", "DIGI"},
}};

// ADIF modes and submodes that are not "DIGI"; USB and LSB are SSB's submodes, ASCI is RTTY's.
constexpr std::array<ModeName, 8> kAdifModes = {{
    {"CW", "CW"},
    {"SSB", "SSB"},
    {"USB", "SSB"},
    {"LSB", "SSB"},
    {"AM", "SSB"},
    {"FM", "FM"},
    {"RTTY", "RTTY"},
    {"ASCI", "RTTY"},
}};

}  // namespace

std::optional<std::string_view> ModeFromCabrillo(std::string_view code) {
  code = Trim(code);
  for (const ModeName& entry : kCabrilloCodes) {
    if (EqualsIgnoringAsciiCase(code, entry.name))
      return entry.mode;
  }
  return std::nullopt;
}

std::optional<std::string_view> ModeFromAdif(std::string_view mode, std::string_view submode) {
  std::string_view name = Trim(mode);
  if (name.empty())
    name = Trim(submode);
  if (name.empty())
    return std::nullopt;
  for (const ModeName& entry : kAdifModes) {
    if (EqualsIgnoringAsciiCase(name, entry.name))
      return entry.mode;
  }
  return "DIGI";
}

}  // namespace zqt::log_files
