#include "log_file_input.h"

#include "calls/cty_database.h"
#include "calls/qso_resolution.h"
#include "log_files/log_reader.h"

namespace zqthost {

using zqt::calls::CtyDatabase;
using zqt::calls::Resolution;
using zqt::calls::ResolveQso;
using zqt::log_files::LogQso;
using zqt::log_files::ReadLogFile;
using zqt::log_files::ReadResult;

LogFileInput ReadLogFileInput(const std::string& log_path, const std::string& cty_path,
                              std::string_view band) {
  const CtyDatabase cty = CtyDatabase::Load(cty_path);
  ReadResult log = ReadLogFile(log_path);
  LogFileInput input;
  input.problems = std::move(log.problems);
  input.read = log.qsos.size();
  for (LogQso& logged : log.qsos) {
    if (!band.empty() && logged.band != band) {
      continue;
    }
    const Resolution where = ResolveQso(cty, logged);
    if (where.dxcc_prefix.empty()) {
      input.problems.push_back("line " + std::to_string(logged.line) + ": " + logged.call +
                               " is in no entity of the country file");
    }
    Qso qso;
    qso.call = std::move(logged.call);
    qso.band = std::move(logged.band);
    qso.mode = std::move(logged.mode);
    qso.continent = where.continent;
    qso.main_prefix = where.main_prefix;
    qso.dxcc_prefix = where.dxcc_prefix;
    qso.date = std::move(logged.date);
    qso.time = std::move(logged.time);
    qso.report = std::move(logged.report);
    input.qsos.push_back(std::move(qso));
  }
  return input;
}

}  // namespace zqthost
