#include "script_runner.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "host_error.h"
#include "log_file_input.h"

namespace zqthost {
namespace {

struct Command {
  std::string_view name;
  std::string_view rest;  // everything after the first space or tab
};

Command SplitCommand(std::string_view line) {
  const std::size_t end = line.find_first_of(" \t");
  if (end == std::string_view::npos) {
    return {line, {}};
  }
  return {line.substr(0, end), line.substr(end + 1)};
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A whole unsigned number in the given base, or throws.
unsigned long Number(std::string_view text, int base) {
  text = Trim(text);
  if (base == 16 && (text.starts_with("0x") || text.starts_with("0X"))) {
    text.remove_prefix(2);
  }
  unsigned long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw HostError(ExitCode::kUsage, "not a number: " + std::string(text));
  }
  return value;
}

// A whole signed decimal number, or throws.
int SignedNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw HostError(ExitCode::kUsage, "not a number: " + std::string(text));
  }
  return value;
}

// "NAME REST": the first word must be there; the rest may be empty.
Command NamedArgument(std::string_view command_name, std::string_view rest) {
  const Command argument = SplitCommand(rest);
  if (argument.name.empty()) {
    throw HostError(ExitCode::kUsage, std::string(command_name) + " needs a value name");
  }
  return argument;
}

// Four blank-separated numbers: left, top, right, bottom.
void MoveCommand(HostSession& session, std::string_view rest) {
  int edges[4] = {};
  for (int& edge : edges) {
    rest = Trim(rest);
    const std::size_t end = std::min(rest.find_first_of(" \t"), rest.size());
    edge = SignedNumber(rest.substr(0, end));
    rest.remove_prefix(end);
  }
  if (!Trim(rest).empty()) {
    throw HostError(ExitCode::kUsage, "move takes four numbers: left top right bottom");
  }
  session.Move(edges[0], edges[1], edges[2], edges[3]);
}

// "FIRST LAST PATH": logs QSOs FIRST..LAST of the contest log at PATH (which may hold blanks).
void ReplayCommand(HostSession& session, std::string_view rest, const std::string& cty_file) {
  const Command first = SplitCommand(Trim(rest));
  const Command last = SplitCommand(Trim(first.rest));
  const std::string path(Trim(last.rest));
  if (path.empty()) {
    throw HostError(ExitCode::kUsage, "replay takes FIRST LAST LOGFILE");
  }
  const LogFileInput input = ReadLogFileInput(path, cty_file, "");
  session.Replay(input.qsos, Number(first.name, 10), Number(last.name, 10));
}

// "N" or "N nowait": N loads of a copy of the module, waiting for each window to go before the unload or not.
void ReloadCommand(HostSession& session, std::string_view rest) {
  const Command times = SplitCommand(Trim(rest));
  const std::string_view wait = Trim(times.rest);
  if (!wait.empty() && wait != "nowait") {
    throw HostError(ExitCode::kUsage, "reload takes N [nowait]");
  }
  session.Reload(static_cast<int>(Number(times.name, 10)), wait.empty());
}

// "POINT ENTRY": point 1 or 2 of the next rebuild, and getscore, addqso, run or release.
void AtPumpPointCommand(HostSession& session, std::string_view rest) {
  const Command point = SplitCommand(Trim(rest));
  const std::string_view name = Trim(point.rest);
  const std::optional<EntryPoint> entry = EntryPointNamed(name);
  const unsigned long number = Number(point.name, 10);
  if ((number != 1 && number != 2) || !entry) {
    throw HostError(ExitCode::kUsage, "at-pump-point takes 1 or 2, then getscore, addqso, run or release");
  }
  session.AtPumpPoint(static_cast<int>(number), *entry, name);
}

void Execute(HostSession& session, const Command& command, const std::string& cty_file) {
  const std::string_view name = command.name;
  if (name == "info") {
    session.Info(true);
  } else if (name == "qso") {
    session.QsoCommand(ParseQsoLine(command.rest));
  } else if (name == "table") {
    session.SetTable(command.rest);
  } else if (name == "connection") {
    if (Trim(command.rest) != "zero") {
      throw HostError(ExitCode::kUsage, "connection takes only: zero");
    }
    session.ZeroConnection();
  } else if (name == "caption") {
    session.SetCaption(command.rest);
  } else if (name == "run") {
    session.Run();
  } else if (name == "getscore") {
    session.GetScore();
  } else if (name == "addqso") {
    session.AddQso();
  } else if (name == "grab") {
    session.Grab();
  } else if (name == "insert") {
    session.Insert();
  } else if (name == "log") {
    session.Log(true);
  } else if (name == "sql") {
    session.Sql(command.rest);
  } else if (name == "replay") {
    ReplayCommand(session, command.rest, cty_file);
  } else if (name == "reconnect") {
    session.Reconnect();
  } else if (name == "wait-rows") {
    session.WaitRows(static_cast<long long>(Number(command.rest, 10)));
  } else if (name == "recalc") {
    session.Recalc();
  } else if (name == "report") {
    session.Report();
  } else if (name == "state") {
    session.State();
  } else if (name == "click-recalc") {
    session.ClickRecalc();
  } else if (name == "syscommand") {
    session.SysCommand(static_cast<WPARAM>(Number(command.rest, 16)));
  } else if (name == "close") {
    session.Close();
  } else if (name == "release") {
    session.Release();
  } else if (name == "release-during-rebuild") {
    session.ReleaseDuringRebuild();
  } else if (name == "at-pump-point") {
    AtPumpPointCommand(session, command.rest);
  } else if (name == "rebuilds") {
    session.Rebuilds();
  } else if (name == "destroyed-report") {
    session.DestroyedReport();
  } else if (name == "pump") {
    session.Pump(std::chrono::milliseconds(Number(command.rest, 10)));
  } else if (name == "wait-gone") {
    session.WaitGone();
  } else if (name == "screenshot") {
    session.Screenshot(std::string(Trim(command.rest)));
  } else if (name == "placement") {
    session.Placement();
  } else if (name == "type") {
    session.Type(command.rest);
  } else if (name == "move") {
    MoveCommand(session, command.rest);
  } else if (name == "reg-dump") {
    session.RegDump();
  } else if (name == "reg-set-dword") {
    const Command value = NamedArgument(name, command.rest);
    session.RegSetDword(value.name, static_cast<DWORD>(Number(value.rest, 10)));
  } else if (name == "reg-set-sz") {
    const Command value = NamedArgument(name, command.rest);
    session.RegSetSz(value.name, value.rest);
  } else if (name == "reg-delete-key") {
    session.RegDeleteKey();
  } else if (name == "refuse-create" || name == "close-on-create") {
    if (Trim(command.rest).empty()) {
      throw HostError(ExitCode::kUsage, std::string(name) + " needs a window class name");
    }
    session.HookCreate(Trim(command.rest), name == "refuse-create" ? CreationHook::Action::kRefuse
                                                                   : CreationHook::Action::kCloseParent);
  } else if (name == "allow-create") {
    session.AllowCreate();
  } else if (name == "windows-of") {
    session.WindowsOf(Trim(command.rest));
  } else if (name == "broadcast") {
    session.Broadcast();
  } else if (name == "reload") {
    ReloadCommand(session, command.rest);
  } else {
    throw HostError(ExitCode::kUsage, "unknown command " + std::string(name));
  }
}

}  // namespace

void RunScript(HostSession& session, std::istream& script, const std::string& cty_file) {
  std::string line;
  for (int number = 1; std::getline(script, line); ++number) {
    const std::string_view text = StripCr(line);
    if (IsSkippedLine(text)) {
      continue;
    }
    try {
      Execute(session, SplitCommand(text), cty_file);
    } catch (const HostError& error) {
      if (error.code() != ExitCode::kUsage) {
        throw;
      }
      throw HostError(ExitCode::kUsage, "script line " + std::to_string(number) + ": " + error.what());
    }
  }
}

}  // namespace zqthost
