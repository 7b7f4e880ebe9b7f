#pragma once
// Filling and reading the boundary records' length-prefixed text slots.

#include <string>
#include <string_view>

#include "ZQTRTTYContest.h"
#include "qso_line.h"

namespace zqthost {

constexpr std::size_t kMaxText = 255;

// Stores at most the first 255 characters and their count; the rest of the slot is left as it was.
void WriteText(ZqtText& slot, std::string_view text);

// The slot's text: as many characters as its length byte says.
std::string ReadText(const ZqtText& slot);

// Puts the six QSO fields the module reads into the record.
void SetQso(TContestData& record, const Qso& qso);

}  // namespace zqthost
