#pragma once
// The contest tally: worked list, QSO counter and the six multiplier sets, with the score and the report.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/boundary_records.h"
#include "core/collation.h"
#include "core/text_set.h"
#include "core/worked_list.h"

namespace zqt {

struct TStatistic {
  std::int64_t Count = 0;
};

class Tally {
 public:
  explicit Tally(const Collation& collation)
      : FDXList(collation),
        FJAList(collation),
        FWList(collation),
        FVEList(collation),
        FVKList(collation),
        FContList(collation) {}

  // -1 when the QSO in the buffer is a duplicate, else 1; counts it only when commit is true.
  int CheckQSO(const TContestData& qso, bool commit);
  void SortWorked() { FQSOList.SortWorked(); }
  // Empties the worked list, the counter and the six sets, in that order.
  void Clear();

  std::int64_t QsoCount() const { return FStatList.empty() ? 0 : FStatList.front().Count; }
  // (DX + JA + W + VE + VK) x QSO x Cont, in 64 bits so that it never wraps.
  std::int64_t Score() const;
  // The four-line report shown in the window.
  std::string ShowStatistic() const;

  WorkedList FQSOList;
  std::vector<TStatistic> FStatList;
  TextSet FDXList;
  TextSet FJAList;
  TextSet FWList;
  TextSet FVEList;
  TextSet FVKList;
  TextSet FContList;
};

// Pad repeated (width - length of text) times, then text; text is never cut.
std::string PadLeft(std::string_view text, std::size_t width, std::string_view pad);

}  // namespace zqt
