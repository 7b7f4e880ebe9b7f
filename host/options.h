#pragma once
// The command lines: the options every program that drives the module takes, and the host's own.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zqthost {

// Debian's country file. Under Wine a path starting with "/" lies on the current drive, which is Z: (the
// Unix root) when the host is started from a Unix directory.
constexpr std::string_view kDefaultCtyFile = "/usr/share/hamradio-files/cty.dat";

// What a session with the module needs: the module, the log and the record's texts.
struct SessionOptions {
  std::string dll;  // empty: ZQTRTTYContest.dll beside the program
  // ODBC connection strings, tried in turn until one finds its driver: --connect's, or --db's file under each
  // name the SQLite ODBC driver is registered by.
  std::vector<std::string> connection_strings;
  std::string table = "Log";
  std::string caption_prefix = "zqthost";
  bool fresh = false;
  bool watch_boxes = false;
  bool help = false;
};

// Takes an argument that is no session option: returns false for one the program does not know either.
// `value()` takes the argument's value, or throws when there is none.
using ProgramArgument = std::function<bool(std::string_view arg, const std::function<std::string()>& value)>;

// Reads the session options into `options` (whose defaults the caller sets) and hands every other argument
// to `program`. A bad command line throws HostError with ExitCode::kUsage.
void ParseSessionOptions(std::span<const std::string_view> args, SessionOptions& options,
                         const ProgramArgument& program);

struct Options {
  SessionOptions session;
  bool report = false;
  bool stay = false;
  std::string screenshot;
  std::string qso_file;  // "-" reads standard input; empty offers no QSO
  std::string log_file;  // an ADIF or Cabrillo log to replay instead of QSO lines
  std::string cty_file = std::string(kDefaultCtyFile);
  std::string band;  // with log_file: offer only the QSOs on this band ("15m"); empty offers all
  bool verbose_mults = false;
  long long recalc_at_rows = 0;  // above 0: once the log holds that many rows, click "Recalc Statistic"
};

// Parses the host's arguments after the program name.
Options ParseOptions(std::span<const std::string_view> args);

std::string_view UsageText();

// The connection strings of a SQLite file, one for each name the SQLite ODBC driver is registered by:
// "SQLite3 ODBC Driver" by its Windows installer, "SQLite3" by Debian's unixODBC, which Wine's odbc32 hands
// connections to. The path goes to the driver as it is (a Unix path under Wine).
std::vector<std::string> SqliteConnectionStrings(std::string_view file);

}  // namespace zqthost
