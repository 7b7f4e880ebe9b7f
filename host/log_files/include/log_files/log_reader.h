#pragma once
// Reads a contest log in whichever of ADIF and Cabrillo it is written.

#include <filesystem>
#include <string_view>

#include "log_files/log_qso.h"

namespace zqt::log_files {

enum class LogFormat { kAdif, kCabrillo, kUnknown };

// Cabrillo when the text begins with START-OF-LOG: or has a QSO: line; ADIF when it begins with "<" or has
// an <EOH> or <EOR> tag.
LogFormat DetectLogFormat(std::string_view text);

// A log of unknown format gives no QSOs and one problem.
ReadResult ReadLog(std::string_view text);

// Throws LogFormatError when the file cannot be read.
ReadResult ReadLogFile(const std::filesystem::path& path);

}  // namespace zqt::log_files
