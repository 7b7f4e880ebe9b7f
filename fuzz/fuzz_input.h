#pragma once
// A fuzzer's input read as a stream of small fields. Past its end every read gives zeros, so that any input
// decodes into something whole.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zqt::fuzzing {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return at_ >= size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : std::uint8_t{0}; }
  std::uint16_t Word() {
    const std::uint16_t low = Byte();
    return static_cast<std::uint16_t>(low | Byte() << 8);
  }
  std::uint32_t Dword() {
    const std::uint32_t low = Word();
    return low | std::uint32_t{Word()} << 16;
  }
  // Up to `n` bytes; fewer when the input ends first.
  std::string Bytes(std::size_t n) {
    const std::size_t count = at_ < size_ ? std::min(n, size_ - at_) : 0;
    std::string bytes(reinterpret_cast<const char*>(data_ + at_), count);
    at_ += count;
    return bytes;
  }
  // A length byte and that many bytes.
  std::string ShortText() { return Bytes(Byte()); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// `pattern` (not empty) over and over, `size` bytes in all; doubled each time, as large values are built
// often.
inline std::string Repeated(const std::string& pattern, std::size_t size) {
  std::string text = pattern;
  text.reserve(size + pattern.size());
  while (text.size() < size)
    text.append(text, 0, std::min(text.size(), size - text.size()));
  text.resize(size);
  return text;
}

}  // namespace zqt::fuzzing
