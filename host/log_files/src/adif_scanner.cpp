#include "log_files/adif_scanner.h"

#include <algorithm>

#include "log_files/ascii_text.h"

namespace zqt::log_files {

void AdifScanner::AdvanceTo(std::size_t position) {
  const auto from = text_.begin() + static_cast<std::ptrdiff_t>(position_);
  const auto to = text_.begin() + static_cast<std::ptrdiff_t>(position);
  line_ += static_cast<int>(std::count(from, to, '\n'));
  position_ = position;
}

AdifItem AdifScanner::Next() {
  AdifItem item;
  const std::size_t open = text_.find('<', position_);
  if (open == std::string_view::npos) {
    AdvanceTo(text_.size());
    return item;
  }
  AdvanceTo(open);
  item.line = line_;
  // The first "<" or ">" after the opening one: searching for each alone would rescan the rest of a text
  // full of "<" once per tag.
  const std::size_t close = text_.find_first_of("<>", open + 1);
  if (close == std::string_view::npos) {
    item.kind = AdifItem::Kind::kBadTag;
    item.fault = "tag " + Quoted(text_.substr(open)) + " is cut short by the end of the file";
    item.cut_short = true;
    AdvanceTo(text_.size());
    return item;
  }
  if (text_[close] == '<') {
    item.kind = AdifItem::Kind::kBadTag;
    item.fault = "tag " + Quoted(text_.substr(open, close - open)) + " has no closing \">\"";
    AdvanceTo(close);
    return item;
  }
  const std::string_view inside = text_.substr(open + 1, close - open - 1);
  AdvanceTo(close + 1);
  const std::size_t colon = inside.find(':');
  item.name = Trim(inside.substr(0, colon));
  if (EqualsIgnoringAsciiCase(item.name, "EOH")) {
    item.kind = AdifItem::Kind::kEndOfHeader;
    return item;
  }
  if (EqualsIgnoringAsciiCase(item.name, "EOR")) {
    item.kind = AdifItem::Kind::kEndOfRecord;
    return item;
  }
  item.kind = AdifItem::Kind::kBadTag;
  const std::string shown = Quoted("<" + std::string(inside) + ">");
  if (colon == std::string_view::npos) {
    item.fault = "tag " + shown + " has no length";
    return item;
  }
  const std::string_view length_text =
      Trim(inside.substr(colon + 1, inside.find(':', colon + 1) - colon - 1));
  const int length = ParseSmallNumber(length_text);
  if (length < 0 || item.name.empty()) {
    item.fault = "tag " + shown + " is not a field";
    return item;
  }
  const std::size_t data_length = static_cast<std::size_t>(length);
  if (data_length > text_.size() - position_) {
    item.fault = "data of tag " + shown + " is cut short by the end of the file";
    item.cut_short = true;
    AdvanceTo(text_.size());
    return item;
  }
  item.kind = AdifItem::Kind::kField;
  item.data = text_.substr(position_, data_length);
  AdvanceTo(position_ + data_length);
  return item;
}

}  // namespace zqt::log_files
