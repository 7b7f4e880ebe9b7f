#pragma once
// Splits ADIF text into its tags: data fields and the <EOH> and <EOR> markers, with their line numbers.

#include <cstddef>
#include <string>
#include <string_view>

namespace zqt::log_files {

struct AdifItem {
  enum class Kind { kField, kEndOfHeader, kEndOfRecord, kBadTag, kEnd };
  Kind kind = Kind::kEnd;
  std::string_view name;   // a field's name as written
  std::string_view data;   // a field's data: exactly LENGTH characters
  int line = 0;            // the line of the tag's "<"
  std::string fault;       // what is wrong with a bad tag
  bool cut_short = false;  // a bad tag that runs past the end of the text: nothing follows it
};

class AdifScanner {
 public:
  explicit AdifScanner(std::string_view text) : text_(text) {}

  // The next tag; text between tags is passed over. Returns kEnd for ever after the last tag.
  AdifItem Next();

 private:
  void AdvanceTo(std::size_t position);

  std::string_view text_;
  std::size_t position_ = 0;
  int line_ = 1;
};

}  // namespace zqt::log_files
