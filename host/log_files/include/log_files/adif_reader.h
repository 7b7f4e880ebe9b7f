#pragma once
// Reads an ADIF (.adi) log: fields <NAME:LENGTH[:TYPE]>DATA in any letter case, an optional header ended by
// <EOH>, and records ended by <EOR>.

#include <string_view>

#include "log_files/log_qso.h"

namespace zqt::log_files {

// Each record's CALL, BAND (or FREQ), MODE (or SUBMODE), QSO_DATE, TIME_ON, RST_RCVD, SRX_STRING (or SRX),
// and CONT, DXCC and PFX when present. A record's line is the line of its first field.
ReadResult ReadAdif(std::string_view text);

}  // namespace zqt::log_files
