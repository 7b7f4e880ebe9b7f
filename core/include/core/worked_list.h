#pragma once
// The worked list: every counted QSO, ordered by call under the ordinal comparison, with the duplicate check.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zqt {

struct TQSO {
  std::string Call;
  std::string Band;
  std::string Mode;
};

class WorkedList {
 public:
  void Clear();
  // Appends at the end without sorting.
  void AddWorked(std::string_view call, std::string_view band, std::string_view mode);
  // Puts the list in order by call. Only the entries appended since the last sort can be out of order, so
  // they are sorted among themselves and merged in: a binary search and one memory move for a single QSO.
  void SortWorked();
  // True when an entry has this call, band and mode; the binary search and run scan read the list as it is.
  bool IsDupe(std::string_view call, std::string_view band, std::string_view mode) const;

  std::size_t Count() const { return order_.size(); }
  const TQSO& operator[](std::size_t i) const { return entries_[order_[i]]; }

 private:
  // Entries stay where they were appended; the list's order is a vector of indices, so a move is 4 bytes.
  std::vector<TQSO> entries_;
  std::vector<std::uint32_t> order_;
  std::size_t sorted_ = 0;  // order_[0, sorted_) is in order
};

// CompareQSOCall: 1 when a's call is greater, 0 when equal, -1 when smaller.
int CompareQSOCall(const TQSO& a, const TQSO& b);

}  // namespace zqt
