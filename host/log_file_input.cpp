#include "log_file_input.h"

#include "logformats/cty_database.h"
#include "logformats/log_reader.h"
#include "logformats/qso_resolution.h"

namespace zqthost {

namespace lf = zqt::logformats;

LogFileInput ReadLogFileInput(const std::string& log_path, const std::string& cty_path,
                              std::string_view band) {
  const lf::CtyDatabase cty = lf::CtyDatabase::Load(cty_path);
  lf::ReadResult log = lf::ReadLogFile(log_path);
  LogFileInput input;
  input.problems = std::move(log.problems);
  input.read = log.qsos.size();
  for (lf::LogQso& logged : log.qsos) {
    if (!band.empty() && logged.band != band) {
      continue;
    }
    const lf::Resolution where = lf::ResolveQso(cty, logged);
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
