#include "generated_qso.h"

#include <array>
#include <string>

namespace zqthost {

Qso GeneratedQso(std::size_t i) {
  static constexpr std::array<const char*, 6> kEntities = {"JA", "K", "VE", "VK", "DL", "UA"};
  static constexpr std::array<const char*, 6> kContinents = {"AS", "NA", "NA", "OC", "EU", "EU"};
  static constexpr std::array<const char*, 5> kBands = {"80m", "40m", "20m", "15m", "10m"};
  const std::string entity = kEntities[i % 6];
  const std::string area = std::to_string((i / 6) % 10);
  std::string suffix;
  for (std::size_t n = i / 60, k = 0; k < 3; ++k, n /= 26)
    suffix += static_cast<char>('A' + n % 26);
  Qso qso;
  qso.call = entity + area + suffix;
  qso.band = kBands[(i / 7) % 5];
  qso.mode = "RTTY";
  qso.continent = kContinents[i % 6];
  qso.main_prefix = entity + area;
  qso.dxcc_prefix = entity;
  qso.report = "599" + std::to_string(i % 1000);
  qso.date = "2024-02-10";
  qso.time = "1200";
  qso.frequency = "14085.5";
  qso.exchange_sent = "001";
  qso.exchange_received = std::to_string(i % 1000);
  return qso;
}

}  // namespace zqthost
