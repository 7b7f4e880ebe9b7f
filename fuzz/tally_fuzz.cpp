// A stream of whole TContestData records through the duplicate check and the count, as _GetScore
// (CheckQSO) and _AddQSO (CountQSO) run them on the current-QSO buffer. After
// every record each answer, the tally and its report must be those of an independent count of the same
// records.
//
// Input: a byte choosing the collation, then per record an operation byte (bits 0-1: 0 _GetScore, 1 _AddQSO,
// 2 or 3 both, as a host asks before it logs; bit 2: the record before with some texts changed, else a
// record of its own) and the record (record_decoding.h).

#include <cstddef>
#include <cstdint>

#include "core/qso_buffer.h"
#include "core/tally.h"
#include "fuzz_collations.h"
#include "fuzz_input.h"
#include "record_decoding.h"
#include "require.h"
#include "support/tally_model.h"
#include "tally_checks.h"

namespace zqt::fuzzing {
namespace {

// Enough for runs of one call, repeats and a search several levels deep; the checks after each record cost
// in proportion to the records before it, and a million inputs are to run in about a minute.
constexpr int kMaxRecords = 16;

void FuzzTally(FuzzInput in) {
  const Collation& collation = PickCollation(in.Byte());
  Tally tally(collation);
  test::TallyModel model(collation);
  RecordDecoder records;
  QsoBuffer buffer;
  for (int n = 0; n < kMaxRecords && !in.Empty(); ++n) {
    const std::uint8_t operation = in.Byte();
    const TContestData& record = (operation & 4) != 0 ? records.Changed(in) : records.Fresh(in);
    const test::Qso qso = test::QsoOf(record);
    const int kind = operation & 3;
    if (kind != 1) {
      buffer.CopyIn(&record);
      Require(tally.CheckQSO(buffer.Data()) == model.Offer(qso, false), "_GetScore's answer");
    }
    if (kind != 0) {
      buffer.CopyIn(&record);
      Require(tally.CountQSO(buffer.Data()) == model.Offer(qso, true), "_AddQSO's answer");
    }
    RequireSameTally(tally, model);
  }
}

}  // namespace
}  // namespace zqt::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zqt::fuzzing::FuzzTally(zqt::fuzzing::FuzzInput(data, size));
  return 0;
}
