#include "record_builder.h"

#include "core/boundary_records.h"
#include "host_error.h"
#include "module_window.h"

namespace zqthost {

using zqt::WriteText;

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
