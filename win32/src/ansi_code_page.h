#pragma once
// The process's ANSI code page as Windows takes it apart: double-byte characters where the code page has lead
// bytes (932, 936, 949, 950), and lower case as CharLowerBuffA gives it.

#include "core/code_page.h"

namespace zqt::win32 {

class AnsiCodePage final : public CodePage {
 public:
  std::size_t CharLength(std::string_view text) const override;
  std::string ToLower(std::string_view text) const override;
};

}  // namespace zqt::win32
