#include "core/worked_list.h"

#include <algorithm>

#include "ordinal.h"

namespace zqt {

int CompareQSOCall(const TQSO& a, const TQSO& b) {
  return CompareOrdinal(a.Call, b.Call);
}

void WorkedList::Clear() {
  entries_.clear();
  order_.clear();
  sorted_ = 0;
}

void WorkedList::AddWorked(std::string_view call, std::string_view band, std::string_view mode) {
  entries_.push_back(TQSO{std::string(call), std::string(band), std::string(mode)});
  order_.push_back(static_cast<std::uint32_t>(entries_.size() - 1));
  // An append that keeps the order needs no sort later.
  if (sorted_ + 1 == order_.size() &&
      (sorted_ == 0 || CompareOrdinal(entries_[order_[sorted_ - 1]].Call, call) <= 0)) {
    sorted_ = order_.size();
  }
}

void WorkedList::SortWorked() {
  if (sorted_ == order_.size())
    return;
  const auto less = [this](std::uint32_t a, std::uint32_t b) {
    return CompareOrdinal(entries_[a].Call, entries_[b].Call) < 0;
  };
  const auto middle = order_.begin() + static_cast<std::ptrdiff_t>(sorted_);
  std::sort(middle, order_.end(), less);
  if (order_.end() - middle == 1) {
    const auto place = std::upper_bound(order_.begin(), middle, *middle, less);
    std::rotate(place, middle, order_.end());
  } else {
    std::inplace_merge(order_.begin(), middle, order_.end(), less);
  }
  sorted_ = order_.size();
}

bool WorkedList::IsDupe(std::string_view call, std::string_view band, std::string_view mode) const {
  if (order_.empty())
    return false;
  std::ptrdiff_t low = 0;
  std::ptrdiff_t high = static_cast<std::ptrdiff_t>(order_.size()) - 1;
  std::ptrdiff_t mid = 0;
  bool found = false;
  while (high >= low && !found) {
    mid = (low + high) / 2;
    const int c = CompareOrdinal(call, (*this)[static_cast<std::size_t>(mid)].Call);
    if (c < 0) {
      high = mid - 1;
    } else if (c > 0) {
      low = mid + 1;
    } else {
      found = true;
    }
  }
  if (!found)
    return false;
  std::size_t i = static_cast<std::size_t>(mid);
  while (i > 0 && (*this)[i - 1].Call == call)
    --i;
  for (; i < order_.size(); ++i) {
    const TQSO& q = (*this)[i];
    if (q.Call != call)
      return false;
    if (q.Band == band && q.Mode == mode)
      return true;
  }
  return false;
}

}  // namespace zqt
