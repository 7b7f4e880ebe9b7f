#include "options.h"

#include <algorithm>
#include <charconv>

#include "log_files/bands.h"
#include "host_error.h"

namespace zqthost {
namespace {

constexpr std::string_view kDefaultDatabase = "zqthost.db";

[[noreturn]] void Refuse(const std::string& text) {
  throw HostError(ExitCode::kUsage, text);
}

// Table names go into SQL text unquoted, as the module also uses them, so only plain identifiers pass.
bool IsPlainTableName(std::string_view name) {
  if (name.empty() || (name.front() >= '0' && name.front() <= '9')) {
    return false;
  }
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

}  // namespace

std::vector<std::string> SqliteConnectionStrings(std::string_view file) {
  return {"DRIVER={SQLite3 ODBC Driver};Database=" + std::string(file),
          "DRIVER=SQLite3;Database=" + std::string(file)};
}

void ParseSessionOptions(std::span<const std::string_view> args, SessionOptions& options,
                         const ProgramArgument& program) {
  std::string db;
  bool have_db = false;
  bool have_connect = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const std::function<std::string()> value = [&]() -> std::string {
      if (i + 1 >= args.size()) {
        Refuse(std::string(arg) + " needs a value");
      }
      return std::string(args[++i]);
    };
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--dll") {
      options.dll = value();
    } else if (arg == "--db") {
      db = value();
      have_db = true;
    } else if (arg == "--connect") {
      options.connection_strings = {value()};
      have_connect = true;
    } else if (arg == "--table") {
      options.table = value();
      if (!IsPlainTableName(options.table)) {
        Refuse("--table needs a name of letters, digits and underscores: " + options.table);
      }
    } else if (arg == "--caption-prefix") {
      options.caption_prefix = value();
    } else if (arg == "--fresh") {
      options.fresh = true;
    } else if (arg == "--watch-boxes") {
      options.watch_boxes = true;
    } else if (!program(arg, value)) {
      Refuse((arg.size() > 1 && arg.front() == '-' ? "unknown option " : "unexpected argument ") +
             std::string(arg));
    }
  }
  if (have_db && have_connect) {
    Refuse("--db and --connect exclude each other");
  }
  if (!have_connect) {
    options.connection_strings = SqliteConnectionStrings(have_db ? std::string_view(db) : kDefaultDatabase);
  }
}

Options ParseOptions(std::span<const std::string_view> args) {
  Options options;
  bool have_qso_file = false;
  bool have_log_option = false;
  ParseSessionOptions(args, options.session, [&](std::string_view arg, const auto& value) {
    if (arg == "--report") {
      options.report = true;
    } else if (arg == "--screenshot") {
      options.screenshot = value();
    } else if (arg == "--stay") {
      options.stay = true;
    } else if (arg == "--recalc-at-rows") {
      const std::string rows = value();
      const auto [end, error] =
          std::from_chars(rows.data(), rows.data() + rows.size(), options.recalc_at_rows);
      if (error != std::errc() || end != rows.data() + rows.size() || options.recalc_at_rows <= 0) {
        Refuse("--recalc-at-rows needs a number of rows: " + rows);
      }
    } else if (arg == "--log") {
      options.log_file = value();
    } else if (arg == "--cty") {
      options.cty_file = value();
      have_log_option = true;
    } else if (arg == "--band") {
      const std::string band = value();
      const auto known = zqt::log_files::BandFromAdifName(band);
      if (!known) {
        Refuse("--band needs an amateur band such as 20m or 70cm: " + band);
      }
      options.band = std::string(*known);
      have_log_option = true;
    } else if (arg == "--verbose-mults") {
      options.verbose_mults = true;
      have_log_option = true;
    } else if (arg.size() > 1 && arg.front() == '-') {
      return false;
    } else if (have_qso_file) {
      Refuse("more than one QSO file: " + std::string(arg));
    } else {
      options.qso_file = std::string(arg);
      have_qso_file = true;
    }
    return true;
  });
  if (!options.log_file.empty() && have_qso_file) {
    Refuse("--log excludes a QSO file");
  }
  if (have_log_option && options.log_file.empty()) {
    Refuse("--cty, --band and --verbose-mults go with --log");
  }
  return options;
}

std::string_view UsageText() {
  return R"(usage: zqthost.exe [--dll PATH] [--db FILE | --connect ODBCSTRING] [--table NAME]
                   [--caption-prefix TEXT] [--fresh] [--report] [--screenshot FILE.bmp] [--stay]
                   [--watch-boxes] [--recalc-at-rows N]
                   [--log FILE [--cty FILE] [--band BAND] [--verbose-mults] | QSOFILE | -]

Loads the contest module, keeps a log through ODBC and offers it QSOs, one a line, tab-separated:
  call, band, mode, continent, main prefix, DXCC prefix[, date, time, frequency, exchange sent, exchange received]

  --dll PATH            the module (default: ZQTRTTYContest.dll beside zqthost.exe)
  --db FILE             SQLite log file through the SQLite3 ODBC driver (default: zqthost.db)
  --connect ODBCSTRING  any ODBC connection string instead of --db
  --table NAME          log table (default: Log)
  --caption-prefix TEXT text in front of the module window's caption (default: zqthost)
  --fresh               drop and recreate the log table (otherwise create it when missing)
  --report              print the module window's report after the QSOs
  --screenshot FILE.bmp save the module window as a 24-bit BMP
  --stay                keep running until the module window is gone (Ctrl+C ends the wait)
  --watch-boxes         print every message box as "box: <caption>|<text>" and press OK
  --recalc-at-rows N    after the QSOs, wait until the log table holds N rows (the other positions of a
                        multi-position station log into it too), then click "Recalc Statistic"
  --log FILE            replay an ADIF or Cabrillo log: each QSO's entity, continent and call area come from
                        the country file; the reader's complaints are printed as "problem: line N: ..."
  --cty FILE            the country file in cty.dat format (default: /usr/share/hamradio-files/cty.dat; under
                        Wine a path starting with "/" lies on the current drive: pass Z:\... to be sure)
  --band BAND           offer only the log's QSOs on this band, as for a single-band entry (e.g. 15m)
  --verbose-mults       print every counted QSO as "mult: <call> <band> <mode> dxcc=.. cont=.. area=.." and
                        each multiplier the module's report then counts anew as
                        "new: <DX|JA|W|VE|VK|Cont> <value>"
  QSOFILE | -           the QSOs to log; "-" reads standard input

Exit codes: 0 done, 1 failure, 2 bad command line, 3 module not usable, 4 ODBC failure,
5 module window not destroyed after release.)";
}

}  // namespace zqthost
