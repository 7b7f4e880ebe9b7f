#pragma once
// A model of the Japanese ANSI code page 932 for the native tests: a lead byte (0x81 to 0x9F, 0xE0 to 0xFC)
// starts a two-byte character, whose trail byte lower case leaves alone; single-byte capitals A to Z lower.

#include <string>
#include <string_view>

#include "core/code_page.h"

namespace zqt::test {

class CodePage932 final : public CodePage {
 public:
  std::size_t CharLength(std::string_view text) const override {
    const auto lead = static_cast<unsigned char>(text.front());
    return text.size() >= 2 && ((lead >= 0x81 && lead <= 0x9F) || lead >= 0xE0) ? 2 : 1;
  }
  std::string ToLower(std::string_view text) const override {
    std::string lower(text);
    for (std::size_t at = 0; at < lower.size(); at += CharLength(std::string_view(lower).substr(at))) {
      if (lower[at] >= 'A' && lower[at] <= 'Z')
        lower[at] = static_cast<char>(lower[at] + 0x20);
    }
    return lower;
  }
};

}  // namespace zqt::test
