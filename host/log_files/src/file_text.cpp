#include "log_files/file_text.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "log_files/log_format_error.h"

namespace zqt::log_files {

std::string ReadFileText(const std::filesystem::path& path, std::string_view what) {
  const std::string fault = "Cannot read the " + std::string(what) + " " + path.string();
  std::error_code ignored;
  std::ifstream file(path, std::ios::binary);
  if (!file || std::filesystem::is_directory(path, ignored)) {
    throw LogFormatError(fault);
  }
  std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad())
    throw LogFormatError(fault);
  return text;
}

}  // namespace zqt::log_files
