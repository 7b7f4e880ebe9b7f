#include "core/error_text.h"

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
  std::string title(name);
  for (std::size_t i = 1; i < title.size(); ++i) {
    if (title[i] >= 'A' && title[i] <= 'Z')
      title[i] = static_cast<char>(title[i] - 'A' + 'a');
  }
  return title;
}

}  // namespace zqt
