#include "log_files/log_reader.h"

#include <string>

#include "log_files/adif_reader.h"
#include "log_files/ascii_text.h"
#include "log_files/cabrillo_reader.h"
#include "log_files/file_text.h"

namespace zqt::log_files {

LogFormat DetectLogFormat(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  const std::string_view start = Trim(text);
  if (StartsWithIgnoreCase(start, "START-OF-LOG:"))
    return LogFormat::kCabrillo;
  if (!start.empty() && start.front() == '<')
    return LogFormat::kAdif;
  const std::string upper = ToUpperAscii(text);
  if (upper.find("<EOH>") != std::string::npos || upper.find("<EOR>") != std::string::npos) {
    return LogFormat::kAdif;
  }
  for (const TextLine& line : SplitLines(text)) {
    if (StartsWithIgnoreCase(Trim(line.text), "QSO:"))
      return LogFormat::kCabrillo;
  }
  return LogFormat::kUnknown;
}

ReadResult ReadLog(std::string_view text) {
  switch (DetectLogFormat(text)) {
    case LogFormat::kAdif:
      return ReadAdif(text);
    case LogFormat::kCabrillo:
      return ReadCabrillo(text);
    case LogFormat::kUnknown:
      break;
  }
  ReadResult result;
  result.problems.push_back("line 1: neither an ADIF nor a Cabrillo log");
  return result;
}

ReadResult ReadLogFile(const std::filesystem::path& path) {
  return ReadLog(ReadFileText(path, "log file"));
}

}  // namespace zqt::log_files
