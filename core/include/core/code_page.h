#pragma once
// Text in the host's ANSI code page, taken character by character. On a double-byte code page such as 932
// (Japanese) a character may be a lead byte and a trail byte, and the trail byte may be "\" (0x5C) or an
// ASCII letter: text split or cased byte by byte breaks such characters. The platform layer supplies the
// host's code page; the native tests use a model of one.

#include <cstddef>
#include <string>
#include <string_view>

namespace zqt {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // The length in bytes of the character that starts `text`, which is not empty.
  virtual std::size_t CharLength(std::string_view text) const = 0;
  // `text` with every character lowered as the code page lowers it.
  virtual std::string ToLower(std::string_view text) const = 0;
};

}  // namespace zqt
