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

bool TextSet::Contains(std::string_view text) const {
  const std::size_t at = LowerBound(text);
  return at < items_.size() && collation_->Compare(items_[at], text) == 0;
}

void TextSet::Insert(std::string_view text) {
  const std::size_t at = LowerBound(text);
  if (at < items_.size() && collation_->Compare(items_[at], text) == 0)
    return;
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::string(text));
}

}  // namespace zqt
