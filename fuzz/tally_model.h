#pragma once
// An independent count of QSOs, with standard containers and nothing of the tally's own code: a set of
// (call, band, mode) for the duplicates and, for each multiplier column, an ordered set under the same
// collation, where a text equal to one already held is not taken.

#include <cstdint>
#include <set>
#include <string>
#include <tuple>

#include "ZQTRTTYContest.h"
#include "core/collation.h"

namespace zqt::fuzzing {

// The six texts of a QSO that the tally reads.
struct QsoTexts {
  std::string call, band, mode, continent, main_prefix, dxcc;
  bool operator==(const QsoTexts&) const = default;
};

// The record's texts read straight from their slots: the length byte's worth of characters.
QsoTexts TextsOf(const TContestData& record);

struct CollationLess {
  const Collation* collation;
  bool operator()(const std::string& a, const std::string& b) const { return collation->Compare(a, b) < 0; }
};
using ModelSet = std::set<std::string, CollationLess>;
using ModelQso = std::tuple<std::string, std::string, std::string>;

class TallyModel {
 public:
  explicit TallyModel(const Collation& collation);

  // CheckQSO's answer: -1 for a duplicate, else 1; a new QSO is counted when commit is true.
  int Offer(const QsoTexts& qso, bool commit);

  std::int64_t qso_count = 0;
  std::set<ModelQso> worked;
  ModelSet dx, ja, w, ve, vk, cont;
};

}  // namespace zqt::fuzzing
