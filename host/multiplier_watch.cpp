#include "multiplier_watch.h"

#include <charconv>

namespace zqthost {
namespace {

constexpr std::array<std::string_view, 7> kColumns = {"QSO", "DX", "JA", "W", "VE", "VK", "Cont"};

std::string Shown(const std::string& value) {
  return value.empty() ? "\"\"" : value;
}

}  // namespace

std::optional<ReportTotals> TotalsOf(std::string_view report) {
  const std::size_t at = report.find("Total\t");
  if (at == std::string_view::npos) {
    return std::nullopt;
  }
  std::string_view rest = report.substr(at + 6);
  ReportTotals totals{};
  for (long long& total : totals) {
    const std::size_t digits = rest.find_first_not_of(' ');
    const std::size_t tab = rest.find('\t');
    if (digits == std::string_view::npos || tab == std::string_view::npos ||
        std::from_chars(rest.data() + digits, rest.data() + tab, total).ptr != rest.data() + tab) {
      return std::nullopt;
    }
    rest.remove_prefix(tab + 1);
  }
  return totals;
}

MultiplierWatch::MultiplierWatch(const std::optional<std::string>& report)
    : totals_(report ? TotalsOf(*report) : std::nullopt) {}

std::vector<std::string> MultiplierWatch::Count(const Qso& qso, const std::optional<std::string>& report) {
  std::vector<std::string> lines = {"mult: " + qso.call + " " + qso.band + " " + qso.mode +
                                    " dxcc=" + Shown(qso.dxcc_prefix) + " cont=" + Shown(qso.continent) +
                                    " area=" + Shown(qso.main_prefix)};
  const std::optional<ReportTotals> before = totals_;
  totals_ = report ? TotalsOf(*report) : std::nullopt;
  if (!before || !totals_) {
    return lines;
  }
  // Column 0 counts QSOs; of the multiplier columns, DX counts entities, Cont continents, the rest call
  // areas.
  for (std::size_t i = 1; i < kColumns.size(); ++i) {
    if ((*totals_)[i] > (*before)[i]) {
      const std::string& value = i == 1 ? qso.dxcc_prefix : i == 6 ? qso.continent : qso.main_prefix;
      lines.push_back("new: " + std::string(kColumns[i]) + " " + Shown(value));
    }
  }
  return lines;
}

}  // namespace zqthost
