#pragma once
// A sorted set of distinct texts under a case-insensitive collation; the text that arrives first is kept.

#include <string>
#include <string_view>
#include <vector>

#include "core/collation.h"

namespace zqt {

class TextSet {
 public:
  explicit TextSet(const Collation& collation) : collation_(&collation) {}

  // Inserts the text at its sorted place unless an equal one is already there.
  void Insert(std::string_view text);
  bool Contains(std::string_view text) const;
  void Clear() { items_.clear(); }

  std::size_t Count() const { return items_.size(); }
  const std::vector<std::string>& Items() const { return items_; }

 private:
  // Index of the first entry not less than text.
  std::size_t LowerBound(std::string_view text) const;

  const Collation* collation_;
  std::vector<std::string> items_;
};

}  // namespace zqt
