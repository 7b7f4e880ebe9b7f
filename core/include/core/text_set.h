#pragma once
// A sorted set of distinct texts under a case-insensitive collation; the text that arrives first is kept.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/collation.h"

namespace zqt {

class TextSet {
 public:
  explicit TextSet(const Collation& collation) : collation_(&collation) {}

  // Inserts the text at its sorted place unless an equal one is already there.
  void Insert(std::string_view text);
  void Clear();

  std::size_t Count() const { return items_.size(); }
  const std::vector<std::string>& Items() const { return items_; }

 private:
  // Index of the first entry not less than text.
  std::size_t LowerBound(std::string_view text) const;

  // Hashes std::string and std::string_view alike, so a look-up needs no copy.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };

  const Collation* collation_;
  std::vector<std::string> items_;
  // Exact texts known to be in the set, inserted or found equal to an entry. The set only grows until it is
  // cleared, so they stay members; a text seen before then costs no collation call (on Windows each is a
  // CompareStringA, and a log repeats its few entities, areas and continents on every row).
  std::unordered_set<std::string, TextHash, std::equal_to<>> known_;
  // The known text met last: a log read in call order gives the same entity, area or continent row after row,
  // and such a text needs no hashing either.
  std::string last_;
  bool has_last_ = false;
};

}  // namespace zqt
