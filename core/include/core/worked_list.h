#pragma once
// The worked list: every counted QSO, ordered by call under the ordinal comparison, with the duplicate check.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zqt {

// One worked QSO as the list shows it: views into the list's storage, valid until the list changes.
struct TQSO {
  std::string_view Call;
  std::string_view Band;
  std::string_view Mode;
};

class WorkedList {
 public:
  void Clear();
  // Appends at the end without sorting. A call holds at most 255 characters, as the record's text slots do.
  void AddWorked(std::string_view call, std::string_view band, std::string_view mode);
  // Puts the list in order by call. Only the entries appended since the last sort can be out of order, so
  // they are sorted among themselves and merged in: a binary search and one memory move for a single QSO, and
  // n log n for a whole log that arrived out of order.
  void SortWorked();
  // True when an entry has this call, band and mode, whether or not the list is in order: a binary search and
  // run scan over the ordered part, a hash look-up among the entries appended since the last sort.
  bool IsDupe(std::string_view call, std::string_view band, std::string_view mode) const;

  std::size_t Count() const { return order_.size(); }
  TQSO operator[](std::size_t i) const;

 private:
  // Eight bytes a QSO: where its call lies in calls_, and its band and mode as one shared pair. A contest log
  // holds a handful of band and mode pairs, so three strings per QSO would mostly repeat them.
  struct Entry {
    std::uint32_t call_offset;
    std::uint32_t band_mode;
  };

  std::string_view CallAt(std::uint32_t entry) const;
  // The pair's number, added when new.
  std::uint32_t BandModeId(std::string_view band, std::string_view mode);
  bool InOrderedPart(std::string_view call, std::string_view band, std::string_view mode) const;
  bool InTail(std::string_view call, std::string_view band, std::string_view mode) const;

  // Every call once per QSO, each as a length byte followed by its characters.
  std::string calls_;
  std::vector<Entry> entries_;
  // The list's order as indices into entries_, so that a move is 4 bytes.
  std::vector<std::uint32_t> order_;
  std::size_t sorted_ = 0;  // order_[0, sorted_) is in order
  // The entries after it by a hash of their call, band and mode. A log that the engine returns far from byte
  // order (mixed-case calls under a case-insensitive collation) puts most of its rows here until one sort.
  std::unordered_multimap<std::uint64_t, std::uint32_t> tail_;
  // Each distinct band and mode pair, and its number by key (BandModeKey).
  std::vector<std::pair<std::string, std::string>> band_modes_;
  std::unordered_map<std::string, std::uint32_t> band_mode_ids_;
};

}  // namespace zqt
