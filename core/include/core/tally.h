#pragma once
// The contest tally: worked list, QSO counter and the six multiplier sets, with the score and the report.

#include <cstdint>
#include <string>

#include "core/boundary_records.h"
#include "core/collation.h"
#include "core/text_set.h"
#include "core/worked_list.h"

namespace zqt {

class Tally {
 public:
  // The six sets compare their texts under `collation`, which must outlive the tally.
  explicit Tally(const Collation& collation)
      : entities_(collation),
        ja_areas_(collation),
        w_areas_(collation),
        ve_areas_(collation),
        vk_areas_(collation),
        continents_(collation) {}

  // -1 when the QSO duplicates a worked one (same call, band and mode), else 1; nothing changes.
  int CheckQSO(const TContestData& qso) const;
  // Counts the QSO unless it duplicates a worked one: -1 for a duplicate, else 1. The worked list keeps
  // itself in order, so the next check is right whatever order QSOs come in.
  int CountQSO(const TContestData& qso);
  // Empties the worked list, the counter and the six sets.
  void Clear();

  std::int64_t QsoCount() const { return qso_count_; }
  // (DX + JA + W + VE + VK) x QSO x Cont, in 64 bits so that it never wraps.
  std::int64_t Score() const;
  // The four-line report shown in the window.
  std::string ShowStatistic() const;

  const WorkedList& Worked() const { return worked_; }
  // The DX column: DXCC prefixes.
  const TextSet& Entities() const { return entities_; }
  // The JA, W, VE and VK columns: main prefixes of the entities "JA", "K", "VE" and "VK".
  const TextSet& JaAreas() const { return ja_areas_; }
  const TextSet& WAreas() const { return w_areas_; }
  const TextSet& VeAreas() const { return ve_areas_; }
  const TextSet& VkAreas() const { return vk_areas_; }
  // The Cont column, in the order the report lists them.
  const TextSet& Continents() const { return continents_; }

 private:
  WorkedList worked_;
  std::int64_t qso_count_ = 0;
  TextSet entities_;
  TextSet ja_areas_;
  TextSet w_areas_;
  TextSet ve_areas_;
  TextSet vk_areas_;
  TextSet continents_;
};

}  // namespace zqt
