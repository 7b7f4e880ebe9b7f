#pragma once
// The host's command line.

#include <span>
#include <string>
#include <string_view>

namespace zqthost {

// Debian's country file. Under Wine a path starting with "/" lies on the current drive, which is Z: (the
// Unix root) when the host is started from a Unix directory.
constexpr std::string_view kDefaultCtyFile = "/usr/share/hamradio-files/cty.dat";

struct Options {
  std::string dll;                // empty: ZQTRTTYContest.dll beside zqthost.exe
  std::string connection_string;  // ODBC connection string, built from --db when --connect is not given
  std::string table = "Log";
  std::string caption_prefix = "zqthost";
  bool fresh = false;
  bool report = false;
  bool stay = false;
  bool watch_boxes = false;
  bool help = false;
  std::string screenshot;
  std::string script;
  std::string qso_file;  // "-" reads standard input; empty offers no QSO
  std::string log_file;  // an ADIF or Cabrillo log to replay instead of QSO lines
  std::string cty_file = std::string(kDefaultCtyFile);
  std::string band;  // with log_file: offer only the QSOs on this band ("15m"); empty offers all
  bool verbose_mults = false;
  bool bench = false;      // time the module instead of offering QSOs
  bool lifecycle = false;  // count what the process holds over many windows and a long session instead
};

// Parses the arguments after the program name; a bad command line throws HostError with ExitCode::kUsage.
Options ParseOptions(std::span<const std::string_view> args);

std::string_view UsageText();

// The connection string of a SQLite file; the path goes to the driver as it is (a Unix path under Wine).
std::string SqliteConnectionString(std::string_view file);

}  // namespace zqthost
