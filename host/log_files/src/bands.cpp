#include "log_files/bands.h"

#include <array>

#include "log_files/ascii_text.h"

namespace zqt::log_files {

namespace {

struct BandEdges {
  std::string_view name;
  std::int64_t low_hz;
  std::int64_t high_hz;
};

constexpr std::int64_t kMHz = 1'000'000;

// ADIF's band table.
constexpr std::array<BandEdges, 33> kBands = {{
    {"2190m", 135'700, 137'800},
    {"630m", 472'000, 479'000},
    {"560m", 501'000, 504'000},
    {"160m", 1'800'000, 2'000'000},
    {"80m", 3'500'000, 4'000'000},
    {"60m", 5'060'000, 5'450'000},
    {"40m", 7'000'000, 7'300'000},
    {"30m", 10'100'000, 10'150'000},
    {"20m", 14'000'000, 14'350'000},
    {"17m", 18'068'000, 18'168'000},
    {"15m", 21'000'000, 21'450'000},
    {"12m", 24'890'000, 24'990'000},
    {"10m", 28'000'000, 29'700'000},
    {"8m", 40 * kMHz, 45 * kMHz},
    {"6m", 50 * kMHz, 54 * kMHz},
    {"5m", 54 * kMHz + 1, 69'900'000},
    {"4m", 70 * kMHz, 71 * kMHz},
    {"2m", 144 * kMHz, 148 * kMHz},
    {"1.25m", 222 * kMHz, 225 * kMHz},
    {"70cm", 420 * kMHz, 450 * kMHz},
    {"33cm", 902 * kMHz, 928 * kMHz},
    {"23cm", 1240 * kMHz, 1300 * kMHz},
    {"13cm", 2300 * kMHz, 2450 * kMHz},
    {"9cm", 3300 * kMHz, 3500 * kMHz},
    {"6cm", 5650 * kMHz, 5925 * kMHz},
    {"3cm", 10000 * kMHz, 10500 * kMHz},
    {"1.25cm", 24000 * kMHz, 24250 * kMHz},
    {"6mm", 47000 * kMHz, 47200 * kMHz},
    {"4mm", 75500 * kMHz, 81000 * kMHz},
    {"2.5mm", 119980 * kMHz, 123000 * kMHz},
    {"2mm", 134000 * kMHz, 149000 * kMHz},
    {"1mm", 241000 * kMHz, 250000 * kMHz},
    {"submm", 300000 * kMHz, 7500000 * kMHz},
}};

struct Designator {
  std::string_view field;
  std::string_view band;
};

// Cabrillo's band designators above 30 MHz.
constexpr std::array<Designator, 18> kDesignators = {{
    {"50", "6m"},
    {"70", "4m"},
    {"144", "2m"},
    {"222", "1.25m"},
    {"432", "70cm"},
    {"902", "33cm"},
    {"1.2G", "23cm"},
    {"2.3G", "13cm"},
    {"3.4G", "9cm"},
    {"5.7G", "6cm"},
    {"10G", "3cm"},
    {"24G", "1.25cm"},
    {"47G", "6mm"},
    {"75G", "4mm"},
    {"122G", "2.5mm"},
    {"134G", "2mm"},
    {"241G", "1mm"},
    {"LIGHT", "submm"},
}};

// A decimal number ("14085", "14.085") scaled by 10^exponent into an integer; extra fraction digits are cut.
std::optional<std::int64_t> ParseScaledDecimal(std::string_view text, int exponent) {
  text = Trim(text);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if ((whole.empty() && fraction.empty()) || whole.size() > 10)
    return std::nullopt;
  std::int64_t value = 0;
  for (const char c : whole) {
    if (!IsAsciiDigit(c))
      return std::nullopt;
    value = value * 10 + (c - '0');
  }
  for (int i = 0; i < exponent; ++i) {
    const std::size_t index = static_cast<std::size_t>(i);
    int digit = 0;
    if (index < fraction.size()) {
      if (!IsAsciiDigit(fraction[index]))
        return std::nullopt;
      digit = fraction[index] - '0';
    }
    value = value * 10 + digit;
  }
  for (std::size_t i = static_cast<std::size_t>(exponent); i < fraction.size(); ++i) {
    if (!IsAsciiDigit(fraction[i]))
      return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<std::string_view> BandOfFrequency(std::int64_t hertz) {
  for (const BandEdges& band : kBands) {
    if (hertz >= band.low_hz && hertz <= band.high_hz)
      return band.name;
  }
  return std::nullopt;
}

std::optional<std::string_view> BandFromAdifName(std::string_view name) {
  name = Trim(name);
  for (const BandEdges& band : kBands) {
    if (EqualsIgnoringAsciiCase(name, band.name))
      return band.name;
  }
  return std::nullopt;
}

std::optional<std::string_view> BandFromAdifFrequency(std::string_view megahertz) {
  const std::optional<std::int64_t> hertz = ParseScaledDecimal(megahertz, 6);
  if (!hertz)
    return std::nullopt;
  return BandOfFrequency(*hertz);
}

std::optional<std::string_view> BandFromCabrilloFrequency(std::string_view field) {
  field = Trim(field);
  for (const Designator& designator : kDesignators) {
    if (EqualsIgnoringAsciiCase(field, designator.field))
      return designator.band;
  }
  const std::optional<std::int64_t> hertz = ParseScaledDecimal(field, 3);
  if (!hertz)
    return std::nullopt;
  return BandOfFrequency(*hertz);
}

}  // namespace zqt::log_files
