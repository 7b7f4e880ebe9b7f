#include "ansi_code_page.h"

#include <windows.h>

namespace zqt::win32 {

std::size_t AnsiCodePage::CharLength(std::string_view text) const {
  return text.size() >= 2 && IsDBCSLeadByte(static_cast<BYTE>(text.front())) ? 2 : 1;
}

std::string AnsiCodePage::ToLower(std::string_view text) const {
  std::string lower(text);
  // Converts through Unicode and back in place, so a character keeps its length.
  if (!lower.empty())
    CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
  return lower;
}

}  // namespace zqt::win32
