#pragma once
// A model of the Japanese ANSI code page 932 for the native tests: a lead byte (0x81 to 0x9F, 0xE0 to 0xFC)
// starts a two-byte character, and lower case changes the ASCII letters and the full-width Latin capitals
// (0x8260 to 0x8279, lowered to 0x8281 to 0x829A).

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
      const auto byte = static_cast<unsigned char>(lower[at]);
      if (byte >= 'A' && byte <= 'Z')
        lower[at] = static_cast<char>(byte + 0x20);
      const auto trail = at + 1 < lower.size() ? static_cast<unsigned char>(lower[at + 1]) : 0;
      if (byte == 0x82 && trail >= 0x60 && trail <= 0x79)
        lower[at + 1] = static_cast<char>(trail + 0x21);
    }
    return lower;
  }
};

}  // namespace zqt::test
