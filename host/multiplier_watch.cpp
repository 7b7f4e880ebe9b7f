#include "multiplier_watch.h"

#include <string_view>

#include "base/ascii_case.h"

namespace zqthost {
namespace {

struct AreaEntity {
  std::string_view dxcc_prefix;
  std::string_view column;  // the report's name for its call areas
};

constexpr std::array<AreaEntity, 4> kAreaEntities = {{{"JA", "JA"}, {"K", "W"}, {"VE", "VE"}, {"VK", "VK"}}};

std::string Shown(const std::string& value) {
  return value.empty() ? "\"\"" : value;
}

// Adds the value's case-folded form; true when it was not there yet.
bool Insert(std::set<std::string>& seen, const std::string& value) {
  return seen.insert(zqt::ToUpperAscii(value)).second;
}

}  // namespace

std::vector<std::string> MultiplierWatch::Count(const Qso& qso) {
  std::vector<std::string> lines;
  lines.push_back("mult: " + qso.call + " " + qso.band + " " + qso.mode + " dxcc=" + Shown(qso.dxcc_prefix) +
                  " cont=" + Shown(qso.continent) + " area=" + Shown(qso.main_prefix));
  if (Insert(entities_, qso.dxcc_prefix)) {
    lines.push_back("new: DX " + Shown(qso.dxcc_prefix));
  }
  for (std::size_t i = 0; i < kAreaEntities.size(); ++i) {
    if (qso.dxcc_prefix == kAreaEntities[i].dxcc_prefix && Insert(areas_[i], qso.main_prefix)) {
      lines.push_back("new: " + std::string(kAreaEntities[i].column) + " " + Shown(qso.main_prefix));
    }
  }
  if (Insert(continents_, qso.continent)) {
    lines.push_back("new: Cont " + Shown(qso.continent));
  }
  return lines;
}

}  // namespace zqthost
