#pragma once
// Runs the test driver on the real DLL with a script of commands, as a separate host process, and collects
// what it prints.

#include <string>
#include <string_view>
#include <vector>

#include "support/qso_fixture.h"

namespace zqt::test {

struct HostRun {
  int exit_code = -1;
  std::string output;  // standard output, CR LF turned into LF
  std::vector<std::string> Lines() const;
  // The lines with the window handle each run returned written as "live", or "same" when the run before
  // returned it too, and the number of windows a broadcast reached (the host's own and the system's vary)
  // left out.
  std::vector<std::string> ComparableLines() const;
  // The text of each report printed ("report:" ... "end report"), its lines joined by CR LF as the window
  // holds them.
  std::vector<std::string> Reports() const;
  // Whether one whole line of the output is exactly this.
  bool Printed(std::string_view line) const;
  // The first line that starts with prefix, without the prefix; "" when there is none.
  std::string Value(std::string_view prefix) const;
};

// A log database and a work folder of the test's own, removed afterwards.
class HostFixture {
 public:
  // With a name, the driver runs as a copy of itself of that name in the work folder: the module takes its
  // error boxes' caption and its registry key from the host's file name.
  explicit HostFixture(std::wstring_view driver_name = {});
  ~HostFixture();
  HostFixture(const HostFixture&) = delete;
  HostFixture& operator=(const HostFixture&) = delete;

  // Runs zqtdriver.exe with --script and --watch-boxes; extra arguments come before the script.
  HostRun Run(std::string_view script, const std::vector<std::string>& extra_args = {}) const;

  // Runs zqtdriver.exe with --watch-boxes and these arguments only (a mode such as --lifecycle).
  HostRun RunMode(const std::vector<std::string>& args) const;

  // The test's own SQLite log file, as the ODBC driver takes it.
  std::string DriverLogPath() const;

 private:
  std::string folder_;  // Windows path
  std::string driver_;  // Windows path
};

// The script line that makes the QSO the driver's current one: "qso" and its six texts, tab-separated.
std::string QsoLine(const Qso& q);

// The lines the driver prints for a report text: "report:", its lines, "end report".
std::vector<std::string> ReportLines(std::string_view report);

// Text between this process's ANSI code page, in which the driver prints, and UTF-16.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const std::wstring& wide);

// Runs a command line in this prefix and collects its standard output and error, CR LF turned into LF.
HostRun RunCommandLine(std::string command);

// The DOS path Wine gives a Unix path; unchanged on Windows itself.
std::string DosPath(const std::string& unix_path);

// The file as the Linux ODBC driver under Wine must see it (a Unix path); unchanged on Windows itself.
std::string DriverPath(const std::string& windows_path);

}  // namespace zqt::test
