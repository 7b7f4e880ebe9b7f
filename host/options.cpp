#include "options.h"

#include <algorithm>

#include "logformats/bands.h"
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

std::string SqliteConnectionString(std::string_view file) {
  return "DRIVER=SQLite3;Database=" + std::string(file);
}

Options ParseOptions(std::span<const std::string_view> args) {
  Options options;
  std::string db;
  bool have_db = false;
  bool have_connect = false;
  bool have_qso_file = false;
  bool have_log_option = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    auto value = [&]() -> std::string {
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
      options.connection_string = value();
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
    } else if (arg == "--report") {
      options.report = true;
    } else if (arg == "--screenshot") {
      options.screenshot = value();
    } else if (arg == "--stay") {
      options.stay = true;
    } else if (arg == "--watch-boxes") {
      options.watch_boxes = true;
    } else if (arg == "--script") {
      options.script = value();
    } else if (arg == "--log") {
      options.log_file = value();
    } else if (arg == "--cty") {
      options.cty_file = value();
      have_log_option = true;
    } else if (arg == "--band") {
      const std::string band = value();
      const auto known = zqt::logformats::BandFromAdifName(band);
      if (!known) {
        Refuse("--band needs an amateur band such as 20m or 70cm: " + band);
      }
      options.band = std::string(*known);
      have_log_option = true;
    } else if (arg == "--bench") {
      options.bench = true;
    } else if (arg == "--lifecycle") {
      options.lifecycle = true;
    } else if (arg == "--verbose-mults") {
      options.verbose_mults = true;
      have_log_option = true;
    } else if (arg.size() > 1 && arg.front() == '-') {
      Refuse("unknown option " + std::string(arg));
    } else if (have_qso_file) {
      Refuse("more than one QSO file: " + std::string(arg));
    } else {
      options.qso_file = std::string(arg);
      have_qso_file = true;
    }
  }
  if (have_db && have_connect) {
    Refuse("--db and --connect exclude each other");
  }
  if (!options.script.empty() && have_qso_file) {
    Refuse("--script and a QSO file exclude each other");
  }
  if (!options.log_file.empty() && (have_qso_file || !options.script.empty())) {
    Refuse("--log excludes --script and a QSO file");
  }
  if (options.bench && (have_qso_file || !options.script.empty() || !options.log_file.empty())) {
    Refuse("--bench excludes --script, --log and a QSO file");
  }
  if (options.lifecycle &&
      (options.bench || have_qso_file || !options.script.empty() || !options.log_file.empty())) {
    Refuse("--lifecycle excludes --bench, --script, --log and a QSO file");
  }
  if (have_log_option && options.log_file.empty()) {
    Refuse("--cty, --band and --verbose-mults go with --log");
  }
  if (!have_connect) {
    options.connection_string = SqliteConnectionString(have_db ? std::string_view(db) : kDefaultDatabase);
  }
  return options;
}

std::string_view UsageText() {
  return R"(usage: zqthost.exe [--dll PATH] [--db FILE | --connect ODBCSTRING] [--table NAME]
                   [--caption-prefix TEXT] [--fresh] [--report] [--screenshot FILE.bmp] [--stay]
                   [--watch-boxes] [--script FILE | --log FILE [--cty FILE] [--band BAND] [--verbose-mults]
                   | QSOFILE | - | --bench | --lifecycle]

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
  --script FILE | -     run test commands instead of the QSO flow ("-": from standard input)
  --log FILE            replay an ADIF or Cabrillo log: each QSO's entity, continent and call area come from
                        the country file; the reader's complaints are printed as "problem: line N: ..."
  --cty FILE            the country file in cty.dat format (default: /usr/share/hamradio-files/cty.dat; under
                        Wine a path starting with "/" lies on the current drive: pass Z:\... to be sure)
  --band BAND           offer only the log's QSOs on this band, as for a single-band entry (e.g. 15m)
  --verbose-mults       print every counted QSO as "mult: <call> <band> <mode> dxcc=.. cont=.. area=.." and
                        each multiplier it adds as "new: <DX|JA|W|VE|VK|Cont> <value>"
  QSOFILE | -           the QSOs to log; "-" reads standard input
  --bench               time the module: one QSO at 1k/10k/100k worked QSOs, the rebuild of 10k/100k/1M-row
                        logs beside bare ODBC fetches, bytes per worked QSO; tables go into the database
  --lifecycle           count the process's memory, windows, GDI objects and kernel handles over 1000
                        _Run/_Release cycles and a session of 100000 logged QSOs; tables go into the database

Script commands, one a line (a blank or tab after the command word; '#' starts a comment line):
  info, run, getscore, addqso, grab, release      call the export and print its result
  qso <QSO line>        take this QSO for the next calls; table NAME, caption TEXT, connection zero
                        change the record passed
  insert, log, sql TEXT insert the QSO into the log; log it as the host does; run SQL on the log
  replay FIRST LAST LOGFILE
                        log QSOs FIRST..LAST of an ADIF or Cabrillo log as the host does (calls resolved
                        through the default country file)
  reconnect             disconnect the log and connect it again on the same ODBC handle
  wait-rows N           pump messages until the log table holds N rows (other positions log into it too)
  recalc                click the button and return once its rebuild has run
  report, state         print the module window's text, or its state
  placement             print "placement: showcmd=N normal=L,T,R,B" of the module window
  click-recalc, syscommand HEX, close
                        click the button, post WM_SYSCOMMAND or WM_CLOSE to the module window
  move L T R B          move and size the module window to that rectangle
  type TEXT             replace the text of the module window's text area
  release-during-rebuild, pump MS, wait-gone, screenshot FILE.bmp
  at-pump-point 1|2 getscore|addqso|run|release
                        call the export inside the next rebuild: at 1, where it lets messages run before
                        disabling its button; at 2, where it lets them run after its query has opened; prints
                        "pump-call: <export>=<answer> rebuilds=N button-enabled=0|1"
  rebuilds              print "rebuilds: N", the rebuilds begun since the first at-pump-point
  destroyed-report      print the module window's button state and report as it was destroyed
  reg-dump              print the module's values for this host (HKCU\Software\zqthost\TfmMainForm),
                        sorted, as "reg: NAME=TYPE:DATA", or "reg: none"
  reg-set-dword NAME N, reg-set-sz NAME TEXT
                        plant a value there before run
  reg-delete-key        delete HKCU\Software\zqthost and everything below it
  refuse-create CLASS, close-on-create CLASS, allow-create
                        from now on refuse to create windows of that class, or send WM_CLOSE to the parent of
                        each as it is created (a hook on the UI thread); stop, printing how many creations
                        were hit and how many menus of refused windows still exist
  windows-of CLASS      print how many windows of that class this thread has (hidden and message-only too)
  broadcast             send every top-level window of this thread the system's setting, colour and
                        end-of-session notices
  reload N [nowait]     N times: load a copy of the module, run, release, pump until the window is gone
                        (with nowait: not), unload; print how many of its windows and own window classes
                        were left afterwards

Exit codes: 0 done, 1 failure, 2 bad command line or script, 3 module not usable, 4 ODBC failure,
5 module window not destroyed after release.)";
}

}  // namespace zqthost
