#pragma once
// The test fixtures under data/ and small helpers for building log texts.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace zqt::test {

inline std::filesystem::path DataPath(std::string_view name) {
  return std::filesystem::path(ZQT_DATA_DIR) / name;
}

inline std::string ReadDataFile(std::string_view name) {
  std::ifstream file(DataPath(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::string WithCrLf(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c == '\n')
      result += '\r';
    result += c;
  }
  return result;
}

}  // namespace zqt::test
