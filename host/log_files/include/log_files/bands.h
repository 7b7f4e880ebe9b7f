#pragma once
// Amateur bands. A band is named as ADIF names it, in lower case: "160m", "20m", "2m", "70cm", "submm".

#include <cstdint>
#include <optional>
#include <string_view>

namespace zqt::log_files {

// The band holding a frequency in hertz (band edges included).
std::optional<std::string_view> BandOfFrequency(std::int64_t hertz);

// An ADIF BAND value, in any letter case.
std::optional<std::string_view> BandFromAdifName(std::string_view name);

// An ADIF FREQ value: a decimal number of megahertz.
std::optional<std::string_view> BandFromAdifFrequency(std::string_view megahertz);

// A Cabrillo frequency field: kilohertz (a decimal number), or a band designator such as "50", "144",
// "1.2G" or "LIGHT".
std::optional<std::string_view> BandFromCabrilloFrequency(std::string_view field);

}  // namespace zqt::log_files
