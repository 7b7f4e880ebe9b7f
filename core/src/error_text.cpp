#include "core/error_text.h"

#include "base/ascii_case.h"

namespace zqt {

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
    text += '.';
  return text;
}

std::string ApplicationTitle(std::string_view exe_path) {
  const std::size_t slash = exe_path.find_last_of("\\/:");
  std::string_view name = slash == std::string_view::npos ? exe_path : exe_path.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  if (name.empty())
    return {};
  return name.front() + ToLowerAscii(name.substr(1));
}

}  // namespace zqt
