#pragma once
// Filling and reading the boundary records' length-prefixed text slots.

#include <windows.h>

#include <sql.h>

#include <cstdint>
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

// The record's Connection field for the host's ODBC connection: 32 bits wide, as in the 32-bit host it was
// made for. Throws HostError (ExitCode::kOdbc) for a handle that does not fit.
std::uint32_t ConnectionField(SQLHDBC connection);

// Puts the six QSO fields the module reads into the record.
void SetQso(TContestData& record, const Qso& qso);

}  // namespace zqthost
