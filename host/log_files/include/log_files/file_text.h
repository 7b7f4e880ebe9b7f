#pragma once
// The whole text of a log or country file, read as bytes.

#include <filesystem>
#include <string>
#include <string_view>

namespace zqt::log_files {

// Throws LogFormatError "Cannot read the <what> <path>" when the file cannot be opened or read, or is a
// directory.
std::string ReadFileText(const std::filesystem::path& path, std::string_view what);

}  // namespace zqt::log_files
