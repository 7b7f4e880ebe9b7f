#include "default_flow.h"

#include <fstream>
#include <iostream>

#include "host_error.h"
#include "message_pump.h"

namespace zqthost {
namespace {

void LogQsos(HostSession& session, std::istream& input) {
  std::string line;
  for (int number = 1; std::getline(input, line); ++number) {
    const std::string_view text = StripCr(line);
    if (IsSkippedLine(text)) {
      continue;
    }
    try {
      session.SetQso(ParseQsoLine(text));
    } catch (const HostError& error) {
      throw HostError(error.code(), "QSO line " + std::to_string(number) + ": " + error.what());
    }
    session.Log(false);
  }
}

}  // namespace

void RunDefaultFlow(HostSession& session, const Options& options) {
  std::ifstream file;
  if (!options.qso_file.empty() && options.qso_file != "-") {
    file.open(options.qso_file, std::ios::binary);
    if (!file) {
      throw HostError(ExitCode::kFailure, "cannot read " + options.qso_file);
    }
  }
  session.Info(false);
  session.Run();
  DrainMessages();
  if (file.is_open()) {
    LogQsos(session, file);
  } else if (options.qso_file == "-") {
    LogQsos(session, std::cin);
  }
  if (options.report) {
    session.Report();
  }
  if (!options.screenshot.empty()) {
    session.Screenshot(options.screenshot);
  }
  if (options.stay) {
    session.Stay();
  }
}

}  // namespace zqthost
