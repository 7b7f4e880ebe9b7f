#include "core/text_set.h"

namespace zqt {

std::size_t TextSet::LowerBound(std::string_view text) const {
  std::size_t low = 0;
  std::size_t high = items_.size();
  while (low < high) {
    const std::size_t mid = low + (high - low) / 2;
    if (collation_->Compare(items_[mid], text) < 0) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return low;
}

void TextSet::Clear() {
  items_.clear();
  known_.clear();
  has_last_ = false;
}

void TextSet::Insert(std::string_view text) {
  if (has_last_ && last_ == text)
    return;
  if (!known_.contains(text)) {
    const std::size_t at = LowerBound(text);
    if (at == items_.size() || collation_->Compare(items_[at], text) != 0)
      items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::string(text));
    known_.emplace(text);
  }
  last_ = text;
  has_last_ = true;
}

}  // namespace zqt
