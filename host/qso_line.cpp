#include "qso_line.h"

#include <algorithm>

#include "host_error.h"

namespace zqthost {
namespace {

constexpr std::size_t kRequiredFields = 6;
constexpr std::size_t kMaxFields = 11;

}  // namespace

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) {
      return fields;
    }
    line.remove_prefix(tab + 1);
  }
}

Qso ParseQsoLine(std::string_view line) {
  const std::vector<std::string_view> fields = SplitTabs(line);
  if (fields.size() < kRequiredFields || fields.size() > kMaxFields) {
    throw HostError(ExitCode::kUsage, "a QSO has 6 to 11 tab-separated fields, this one " +
                                          std::to_string(fields.size()) + ": " + std::string(line));
  }
  Qso qso;
  std::string* const targets[kMaxFields] = {
      &qso.call, &qso.band, &qso.mode,      &qso.continent,     &qso.main_prefix,      &qso.dxcc_prefix,
      &qso.date, &qso.time, &qso.frequency, &qso.exchange_sent, &qso.exchange_received};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    *targets[i] = std::string(fields[i]);
  }
  return qso;
}

bool IsSkippedLine(std::string_view line) {
  const auto first = std::find_if(line.begin(), line.end(), [](char c) { return c != ' ' && c != '\t'; });
  return first == line.end() || *first == '#';
}

std::string_view StripCr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') {
    line.remove_suffix(1);
  }
  return line;
}

}  // namespace zqthost
