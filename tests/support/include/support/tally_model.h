#pragma once
// An independent count of QSOs by the contest's rules, and the report it gives, with standard containers and
// nothing of the tally's own code: a set of (call, band, mode) for the duplicates and, for each multiplier
// column, an ordered set under the same collation, where a text equal to one already held is not taken.

#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <tuple>

#include "core/collation.h"
#include "support/qso_fixture.h"

namespace zqt::test {

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
  int Offer(const Qso& qso, bool commit = true);

  // The window's four lines for this count, each ended by CR LF, then every character of code 32 or below
  // trimmed from both ends of the whole.
  std::string Report() const;

  std::int64_t qso_count = 0;
  std::set<ModelQso> worked;
  ModelSet dx, ja, w, ve, vk, cont;
};

// The report of these QSOs offered in turn, under the user's collation.
std::string ReportOf(std::span<const Qso> qsos);

}  // namespace zqt::test
