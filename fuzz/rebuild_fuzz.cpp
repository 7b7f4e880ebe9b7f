// Arbitrary log rows through RecalcFromLog from a query stand-in: NUL bytes inside values, values up to 64
// KB, empty and NULL cells (both read as ""), missing columns, rows in any order, and an error thrown at any
// call of the query, as a lost connection gives. After every rebuild no cursor is open; the tally holds
// exactly the rows read before any error, as an independent count of them has it; and it counts what those
// rows, stored as the rebuild stores them and fed live in ordinal call order, give.
//
// Input: a header byte (bit 0 the collation; bit 1 unused; bit 2 a second rebuild of the same rows, without
// the error; bits 3-4 how many QSOs are counted live first), the buffer's record (record_decoding.h), the log
// table's name (a length byte and its characters), the live QSOs' records, a byte naming missing columns (bit
// i for kModuleColumns[i]), the number of the query call that fails (two bytes, little-endian, 0 for none;
// Open is call 1, each Next of its cursor one more), then rows of seven cells in kModuleColumns order until
// the input ends. A cell: a kind byte below 0xF0 is the length of the text that follows; 0xF0 is NULL; 0xF1
// the same column's cell of the row before; 0xF2 a long value, (a + 1) << (b % 9) bytes for the next two
// bytes a and b, filled with a pattern text (a length byte and its characters) over and over; any other kind
// is empty text. The cells of an input hold 128 KB at most: a cell beyond that is cut to what is left.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/tally.h"
#include "fuzz_collations.h"
#include "fuzz_input.h"
#include "rebuild_checks.h"
#include "record_decoding.h"
#include "support/fake_query.h"

namespace zqt::fuzzing {
namespace {

// Enough for runs of one call in any order, repeats and an error at any of the query calls they take; more
// rows would only repeat the same paths, slower, and a million inputs are to run in about a minute.
constexpr std::size_t kMaxRows = 16;
// All cells of an input together, so that long values and their copies in the rows below stay a few: every
// byte of them passes through the fuzzer's instrumented code.
constexpr std::size_t kMaxCellBytes = std::size_t{128} << 10;

std::string Cell(FuzzInput& in, const test::LogRow* above, std::size_t column) {
  const std::uint8_t kind = in.Byte();
  if (kind < 0xF0)
    return in.Bytes(kind);
  if (kind == 0xF1)
    return above != nullptr ? (*above)[column] : std::string();
  if (kind == 0xF2) {
    const std::size_t a = in.Byte();
    const std::size_t size = (a + 1) << (in.Byte() % 9);
    std::string pattern = in.ShortText();
    if (pattern.empty())
      pattern.assign(1, static_cast<char>(a));
    return Repeated(pattern, size);
  }
  return {};
}

std::vector<test::LogRow> DecodeRows(FuzzInput& in) {
  std::vector<test::LogRow> rows;
  std::size_t bytes_left = kMaxCellBytes;
  while (!in.Empty() && rows.size() < kMaxRows) {
    test::LogRow row;
    for (std::size_t column = 0; column < row.size(); ++column) {
      std::string cell = Cell(in, rows.empty() ? nullptr : &rows.back(), column);
      if (cell.size() > bytes_left)
        cell.resize(bytes_left);
      bytes_left -= cell.size();
      row[column] = std::move(cell);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

void FuzzRebuild(FuzzInput in) {
  const std::uint8_t header = in.Byte();
  const Collation& collation = PickCollation(header);
  RecordDecoder records;
  TContestData buffer = records.Fresh(in);
  const std::string table = in.ShortText();
  FillSlot(buffer.LogTable, static_cast<std::uint8_t>(table.size()), table, 0);
  Tally tally(collation);
  for (int live = header >> 3 & 3; live > 0; --live)
    tally.CountQSO(records.Fresh(in));
  const std::uint8_t missing = in.Byte();
  const std::uint16_t fail_at = in.Word();
  test::FakeQuery query(DecodeRows(in), missing);
  query.FailAt(fail_at);
  RebuildAndCheck(tally, buffer, query, missing, collation);
  if ((header & 4) != 0) {
    query.FailAt(0);
    RebuildAndCheck(tally, buffer, query, missing, collation);
  }
}

}  // namespace
}  // namespace zqt::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zqt::fuzzing::FuzzRebuild(zqt::fuzzing::FuzzInput(data, size));
  return 0;
}
