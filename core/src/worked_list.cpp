#include "core/worked_list.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "ordinal.h"

namespace zqt {
namespace {

constexpr std::size_t kMaxCall = 255;
// Entries out of place wait until they are this share of the ordered ones (one in eight): each merge moves
// the list once, and the list grows by an eighth between merges.
constexpr std::size_t kTailShare = 8;

std::uint64_t QsoHash(std::string_view call, std::string_view band, std::string_view mode) {
  const std::hash<std::string_view> hash;
  std::uint64_t h = hash(call);
  for (const std::string_view text : {band, mode})
    h = (h ^ (h >> 29)) * 0x9E3779B97F4A7C15ULL + hash(text) + text.size();
  return h;
}

// The band's length first, so that no two pairs share a key whatever bytes they hold.
std::string BandModeKey(std::string_view band, std::string_view mode) {
  std::string key = std::to_string(band.size());
  key += ':';
  key += band;
  key += mode;
  return key;
}

}  // namespace

void WorkedList::Clear() {
  calls_.clear();
  entries_.clear();
  order_.clear();
  sorted_ = 0;
  tail_.clear();
  band_modes_.clear();
  band_mode_ids_.clear();
}

std::string_view WorkedList::CallAt(std::uint32_t entry) const {
  const std::size_t at = entries_[entry].call_offset;
  return {calls_.data() + at + 1, static_cast<unsigned char>(calls_[at])};
}

TQSO WorkedList::operator[](std::size_t i) const {
  SortWorked();
  const std::uint32_t entry = order_[i];
  const auto& [band, mode] = band_modes_[entries_[entry].band_mode];
  return {CallAt(entry), band, mode};
}

std::uint32_t WorkedList::BandModeId(std::string_view band, std::string_view mode) {
  // A log repeats its few pairs row after row: the pair of the last entry needs no key.
  if (!entries_.empty()) {
    const std::uint32_t last = entries_.back().band_mode;
    if (band_modes_[last].first == band && band_modes_[last].second == mode)
      return last;
  }
  const auto [it, added] =
      band_mode_ids_.try_emplace(BandModeKey(band, mode), static_cast<std::uint32_t>(band_modes_.size()));
  if (added)
    band_modes_.emplace_back(band, mode);
  return it->second;
}

void WorkedList::AddWorked(std::string_view call, std::string_view band, std::string_view mode) {
  if (call.size() > kMaxCall)
    throw std::length_error("A worked call holds at most 255 characters");
  if (calls_.size() > std::numeric_limits<std::uint32_t>::max() - kMaxCall - 1 ||
      entries_.size() >= std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("The worked list is full");
  }
  const auto offset = static_cast<std::uint32_t>(calls_.size());
  calls_ += static_cast<char>(call.size());
  calls_ += call;
  entries_.push_back(Entry{offset, BandModeId(band, mode)});
  order_.push_back(static_cast<std::uint32_t>(entries_.size() - 1));
  // An append that keeps the order needs no sort later.
  if (sorted_ + 1 == order_.size() &&
      (sorted_ == 0 || CompareOrdinal(CallAt(order_[sorted_ - 1]), call) <= 0)) {
    sorted_ = order_.size();
    return;
  }
  tail_.emplace(QsoHash(call, band, mode), order_.back());
  if (tail_.size() * kTailShare >= sorted_)
    SortWorked();
}

void WorkedList::SortWorked() const {
  if (sorted_ == order_.size())
    return;
  const auto less = [this](std::uint32_t a, std::uint32_t b) {
    return CompareOrdinal(CallAt(a), CallAt(b)) < 0;
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
  tail_.clear();
}

bool WorkedList::IsDupe(std::string_view call, std::string_view band, std::string_view mode) const {
  return InOrderedPart(call, band, mode) || InTail(call, band, mode);
}

bool WorkedList::InTail(std::string_view call, std::string_view band, std::string_view mode) const {
  if (tail_.empty())
    return false;
  const auto [first, last] = tail_.equal_range(QsoHash(call, band, mode));
  return std::any_of(first, last, [&](const auto& hashed) {
    const auto& [entry_band, entry_mode] = band_modes_[entries_[hashed.second].band_mode];
    return CallAt(hashed.second) == call && entry_band == band && entry_mode == mode;
  });
}

bool WorkedList::InOrderedPart(std::string_view call, std::string_view band, std::string_view mode) const {
  if (sorted_ == 0)
    return false;
  // A call after the last ordered one is not among them: the rebuild's rows come in call order, and the
  // binary search over a large list would fetch its probes from far apart in memory for every row.
  if (CompareOrdinal(call, CallAt(order_[sorted_ - 1])) > 0)
    return false;
  std::ptrdiff_t low = 0;
  std::ptrdiff_t high = static_cast<std::ptrdiff_t>(sorted_) - 1;
  std::ptrdiff_t mid = 0;
  bool found = false;
  while (high >= low && !found) {
    mid = (low + high) / 2;
    const int c = CompareOrdinal(call, CallAt(order_[static_cast<std::size_t>(mid)]));
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
  // No entry can match a band and mode pair the list has never held.
  const auto pair = band_mode_ids_.find(BandModeKey(band, mode));
  if (pair == band_mode_ids_.end())
    return false;
  std::size_t i = static_cast<std::size_t>(mid);
  while (i > 0 && CallAt(order_[i - 1]) == call)
    --i;
  for (; i < sorted_; ++i) {
    const std::uint32_t entry = order_[i];
    if (CallAt(entry) != call)
      return false;
    if (entries_[entry].band_mode == pair->second)
      return true;
  }
  return false;
}

}  // namespace zqt
