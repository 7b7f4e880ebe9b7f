#pragma once
// Whole TContestData records decoded from a compact input. All 5916 bytes of a record are set, but only the
// six texts the tally reads come from the input byte by byte; a fill byte gives every byte after those texts
// and another every byte of the host data and of the slots the tally does not read, so that mutations are not
// spent on the unread bytes and every record is still a full arbitrary one.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "ZQTRTTYContest.h"
#include "fuzz_input.h"

namespace zqt::fuzzing {

using TextField = ZqtText TContestData::*;

// The texts the tally reads, in the order a compact record lists them.
inline constexpr std::array<TextField, 6> kQsoFields = {&TContestData::CallSign,   &TContestData::DigiBand,
                                                        &TContestData::QSOMode,    &TContestData::Continent,
                                                        &TContestData::MainPrefix, &TContestData::DXCCPrefix};

// A slot holding the length byte, `text` after it and `fill` in every byte after that; `text` may be shorter
// than the length byte says.
inline void FillSlot(ZqtText& slot, std::uint8_t length, const std::string& text, std::uint8_t fill) {
  std::memset(slot, fill, sizeof slot);
  slot[0] = length;
  std::memcpy(slot + 1, text.data(), std::min<std::size_t>(text.size(), sizeof slot - 1));
}

class RecordDecoder {
 public:
  // A record of its own: the text fill byte, the host fill byte, then each of the six texts as a length byte
  // and its characters.
  const TContestData& Fresh(FuzzInput& in) {
    text_fill_ = in.Byte();
    std::memset(&record_, in.Byte(), sizeof record_);
    for (const TextField field : kQsoFields)
      DecodeText(in, record_.*field);
    return record_;
  }

  // The record before with the texts that a mask byte names (bit 0 the call, ..., bit 5 the DXCC prefix)
  // decoded afresh: repeats and near repeats of a QSO, as duplicates are.
  const TContestData& Changed(FuzzInput& in) {
    const std::uint8_t mask = in.Byte();
    for (std::size_t i = 0; i < kQsoFields.size(); ++i) {
      if ((mask >> i & 1) != 0)
        DecodeText(in, record_.*kQsoFields[i]);
    }
    return record_;
  }

 private:
  void DecodeText(FuzzInput& in, ZqtText& slot) {
    const std::uint8_t length = in.Byte();
    FillSlot(slot, length, in.Bytes(length), text_fill_);
  }

  TContestData record_{};
  std::uint8_t text_fill_ = 0;
};

}  // namespace zqt::fuzzing
