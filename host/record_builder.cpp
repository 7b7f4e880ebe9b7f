#include "record_builder.h"

#include <algorithm>

#include "host_error.h"
#include "module_window.h"

namespace zqthost {

void WriteText(ZqtText& slot, std::string_view text) {
  const std::size_t length = std::min(text.size(), kMaxText);
  slot[0] = static_cast<uint8_t>(length);
  std::copy_n(text.begin(), length, slot + 1);
}

std::string ReadText(const ZqtText& slot) {
  return std::string(slot + 1, slot + 1 + slot[0]);
}

std::uint32_t ConnectionField(SQLHDBC connection) {
  const auto value = reinterpret_cast<std::uintptr_t>(connection);
  if (value > UINT32_MAX) {
    throw HostError(ExitCode::kOdbc, "the ODBC connection handle " + HandleText(connection) +
                                         " does not fit the record's 32-bit Connection field");
  }
  return static_cast<std::uint32_t>(value);
}

void SetQso(TContestData& record, const Qso& qso) {
  WriteText(record.CallSign, qso.call);
  WriteText(record.DigiBand, qso.band);
  WriteText(record.QSOMode, qso.mode);
  WriteText(record.Continent, qso.continent);
  WriteText(record.MainPrefix, qso.main_prefix);
  WriteText(record.DXCCPrefix, qso.dxcc_prefix);
}

}  // namespace zqthost
