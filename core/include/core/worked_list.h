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
  // Appends a QSO. A call holds at most 255 characters, as the record's text slots do. The list keeps itself
  // in order by call: an entry that comes out of place waits among the entries appended since the list was
  // last in order, where the duplicate check finds it through a hash, until they are sorted in together: once
  // they have grown to an eighth of the list, or when the list is read. So one QSO costs a hash or a binary
  // search and, now and then, one memory move, and a whole log that arrives out of order n log n.
  void AddWorked(std::string_view call, std::string_view band, std::string_view mode);
  // True when an entry has this call, band and mode: a binary search and run scan over the ordered part, a
  // hash look-up among the entries waiting to be sorted in.
  bool IsDupe(std::string_view call, std::string_view band, std::string_view mode) const;

  std::size_t Count() const { return order_.size(); }
  // The i-th QSO in order by call.
  TQSO operator[](std::size_t i) const;

 private:
  // Eight bytes a QSO: where its call lies in calls_, and its band and mode as one shared pair. A contest log
  // holds a handful of band and mode pairs, so three strings per QSO would mostly repeat them.
  struct Entry {
    std::uint32_t call_offset;
    std::uint32_t band_mode;
  };

  // Sorts the waiting entries and merges them into the ordered part. Reading the list in order does this
  // too, so the order is kept as a cache is: mutable, and invisible to a reader.
  void SortWorked() const;
  std::string_view CallAt(std::uint32_t entry) const;
  // The pair's number, added when new.
  std::uint32_t BandModeId(std::string_view band, std::string_view mode);
  bool InOrderedPart(std::string_view call, std::string_view band, std::string_view mode) const;
  bool InTail(std::string_view call, std::string_view band, std::string_view mode) const;

  // Every call once per QSO, each as a length byte followed by its characters.
  std::string calls_;
  std::vector<Entry> entries_;
  // The list's order as indices into entries_, so that a move is 4 bytes.
  mutable std::vector<std::uint32_t> order_;
  mutable std::size_t sorted_ = 0;  // order_[0, sorted_) is in order
  // The entries after it by a hash of their call, band and mode. A log that the engine returns far from byte
  // order (mixed-case calls under a case-insensitive collation) puts many of its rows here between sorts.
  mutable std::unordered_multimap<std::uint64_t, std::uint32_t> tail_;
  // Each distinct band and mode pair, and its number by key (BandModeKey).
  std::vector<std::pair<std::string, std::string>> band_modes_;
  std::unordered_map<std::string, std::uint32_t> band_mode_ids_;
};

}  // namespace zqt
