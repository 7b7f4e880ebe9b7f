#pragma once
// Filling the boundary record the host passes: its connection and a QSO's texts.

#include <cstdint>

#include "ZQTRTTYContest.h"
#include "odbc/odbc_api.h"
#include "qso_line.h"

namespace zqthost {

// The record's Connection field for the host's ODBC connection: 32 bits wide, as in the 32-bit host it was
// made for. Throws HostError (ExitCode::kOdbc) for a handle that does not fit.
std::uint32_t ConnectionField(SQLHDBC connection);

// Puts the six QSO fields the module reads into the record.
void SetQso(TContestData& record, const Qso& qso);

}  // namespace zqthost
