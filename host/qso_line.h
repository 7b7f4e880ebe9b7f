#pragma once
// One QSO as the host reads it: tab-separated fields, six required, five optional log-only ones.

#include <string>
#include <string_view>
#include <vector>

namespace zqthost {

struct Qso {
  std::string call;
  std::string band;
  std::string mode;
  std::string continent;
  std::string main_prefix;
  std::string dxcc_prefix;
  std::string date;
  std::string time;
  std::string frequency;
  std::string exchange_sent;
  std::string exchange_received;
  std::string report;  // the received report for QSOReportRecived; given by log files, not by QSO lines
};

// Splits at every tab, keeping empty fields.
std::vector<std::string_view> SplitTabs(std::string_view line);

// Throws HostError (ExitCode::kUsage) when the line has fewer than 6 or more than 11 fields.
Qso ParseQsoLine(std::string_view line);

// True for lines that carry no QSO: empty, blank or starting with '#'.
bool IsSkippedLine(std::string_view line);

// Drops a trailing CR so files written on Windows read the same.
std::string_view StripCr(std::string_view line);

}  // namespace zqthost
