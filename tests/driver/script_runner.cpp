#include "script_runner.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/boundary_records.h"
#include "host_error.h"
#include "log_file_input.h"
#include "message_loop.h"
#include "module_reload.h"
#include "module_window.h"
#include "options.h"
#include "placement_key.h"
#include "record_builder.h"
#include "thread_windows.h"
#include "window_state.h"

namespace zqthost {
namespace {

constexpr auto kReleaseTimeout = std::chrono::seconds(10);
constexpr unsigned char kFill = 0xAA;

HostError Usage(const std::string& text) {
  return HostError(ExitCode::kUsage, text);
}

struct Words {
  std::string_view first;
  std::string_view rest;  // everything after the first space or tab
};

Words Split(std::string_view line) {
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

// A whole number of the type in the given base ("0x" allowed in base 16), or throws.
template <typename Value = unsigned long>
Value Number(std::string_view text, int base = 10) {
  text = Trim(text);
  if (base == 16 && (text.starts_with("0x") || text.starts_with("0X"))) {
    text.remove_prefix(2);
  }
  Value value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw Usage("not a number: " + std::string(text));
  }
  return value;
}

// What a command needs of the module window; without it the runner prints "<command>: none".
enum class Needs { kNothing, kWindow, kButton, kEdit };

struct Call {
  Driver& driver;
  std::string_view name;
  std::string_view rest;  // the command's arguments
  HWND target;            // the window, its button or its text area, as the command needs

  // "<command>: <text>".
  void Print(const std::string& text) const { driver.console.Line(std::string(name) + ": " + text); }
  TContestData& record() const { return driver.session.record(); }
  const ModuleExports& exports() const { return driver.module.exports(); }
};

struct Command {
  std::string_view name;
  Needs needs;
  void (*run)(const Call& call);
};

// _GetInfo into a buffer filled with 0xAA, then whether the bytes after its two texts were left alone.
void Info(const Call& call) {
  TPluginInfo info;
  std::memset(&info, kFill, sizeof info);
  call.driver.session.Info(info);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&info);
  const auto untouched = [bytes](std::size_t first, std::size_t last) {
    return std::all_of(bytes + first, bytes + last + 1, [](unsigned char byte) { return byte == kFill; });
  };
  call.driver.console.Line(std::string("info-untouched: ") +
                           (untouched(17, 255) && untouched(275, 515) ? "yes" : "no"));
}

// Changes a text of the record the calls pass: the log table or the caption prefix.
template <ZqtText TContestData::*kSlot>
void SetRecordText(const Call& call) {
  zqt::WriteText(call.record().*kSlot, call.rest);
  call.Print(std::string(zqt::TextView(call.record().*kSlot)));
}

void Grab(const Call& call) {
  ZqtText number;
  std::memset(number, kFill, sizeof number);
  call.exports().grab_number(&call.record(), number);
  call.Print("len=" + std::to_string(number[0]));
}

// "FIRST LAST PATH": logs QSOs FIRST..LAST (from 1, cut to the log's end) of a contest log, whose calls are
// resolved through the default country file, at PATH (which may hold blanks).
void Replay(const Call& call) {
  const Words first = Split(Trim(call.rest));
  const Words last = Split(Trim(first.rest));
  const std::string path(Trim(last.rest));
  if (path.empty()) {
    throw Usage("replay takes FIRST LAST LOGFILE");
  }
  const std::vector<Qso> qsos = ReadLogFileInput(path, std::string(kDefaultCtyFile), "").qsos;
  const std::size_t end = std::min<std::size_t>(Number(last.first), qsos.size());
  std::size_t logged = 0;
  for (std::size_t number = std::max<std::size_t>(Number(first.first), 1); number <= end;
       ++number, ++logged) {
    call.driver.session.Log(qsos[number - 1]);
  }
  call.Print(std::to_string(logged) + " QSOs");
}

// Connects the log again on the same handle; a failure leaves the host going on disconnected, as a logging
// program that keeps its operator working does.
void Reconnect(const Call& call) {
  try {
    call.driver.log.Reconnect();
    call.Print("done");
  } catch (const HostError& error) {
    call.Print(std::string("failed: ") + error.what());
  }
}

PumpPointCalls& PumpPoints(Driver& driver) {
  if (!driver.pump_points) {
    driver.pump_points =
        std::make_unique<PumpPointCalls>(driver.console, driver.module, driver.session.record());
  }
  return *driver.pump_points;
}

// "POINT ENTRY": point 1 or 2 of the next rebuild, and getscore, addqso, run or release.
void AtPumpPoint(const Call& call) {
  const Words point = Split(Trim(call.rest));
  const std::string_view name = Trim(point.rest);
  const std::optional<EntryPoint> entry = EntryPointNamed(name);
  const unsigned long number = Number(point.first);
  if (number < 1 || number > 3 || !entry) {
    throw Usage("at-pump-point takes 1, 2 or 3, then getscore, addqso, run or release");
  }
  PumpPoints(call.driver).Arm(static_cast<int>(number), *entry);
  call.Print(std::to_string(number) + " " + std::string(name));
}

void Placement(const Call& call) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(call.target, &placement)) {
    call.Print("none");
    return;
  }
  const RECT& normal = placement.rcNormalPosition;
  call.Print("showcmd=" + std::to_string(placement.showCmd) + " normal=" + std::to_string(normal.left) + "," +
             std::to_string(normal.top) + "," + std::to_string(normal.right) + "," +
             std::to_string(normal.bottom));
}

// "LEFT TOP RIGHT BOTTOM": the window's rectangle in its normal state.
void Move(const Call& call) {
  int edges[4] = {};
  std::string_view rest = call.rest;
  for (int& edge : edges) {
    const Words word = Split(Trim(rest));
    edge = Number<int>(word.first);
    rest = word.rest;
  }
  if (!Trim(rest).empty()) {
    throw Usage("move takes four numbers: left top right bottom");
  }
  MoveWindow(call.target, edges[0], edges[1], edges[2] - edges[0], edges[3] - edges[1], TRUE);
  call.Print("done");
}

// "NAME REST": the value's name must be there; the rest may be empty.
Words NamedValue(const Call& call) {
  const Words value = Split(call.rest);
  if (value.first.empty()) {
    throw Usage(std::string(call.name) + " needs a value name");
  }
  return value;
}

// The host's section, or with "HKCU" the section directly below HKEY_CURRENT_USER, where the module never
// writes.
void RegDump(const Call& call) {
  const std::string_view key = Trim(call.rest);
  const std::vector<std::string> values = DumpPlacementSection(key == "HKCU" ? "" : HostSoftwareKey());
  if (values.empty()) {
    call.driver.console.Line("reg: none");
  }
  for (const std::string& value : values) {
    call.driver.console.Line("reg: " + value);
  }
}

// Until allow-create, every window of the class is refused, or its parent is sent WM_CLOSE as it is created.
void HookCreate(const Call& call) {
  const std::string_view class_name = Trim(call.rest);
  if (class_name.empty()) {
    throw Usage(std::string(call.name) + " needs a window class name");
  }
  call.driver.creation_hook.reset();
  call.driver.creation_hook = std::make_unique<CreationHook>(
      std::string(class_name),
      call.name == "refuse-create" ? CreationHook::Action::kRefuse : CreationHook::Action::kCloseParent);
  call.Print(std::string(class_name));
}

// Creations acted on, and menus of refused windows still alive.
void AllowCreate(const Call& call) {
  std::unique_ptr<CreationHook>& hook = call.driver.creation_hook;
  const std::string counts = "hits=" + std::to_string(hook ? hook->Hits() : 0) +
                             " menus-left=" + std::to_string(hook ? hook->MenusLeft() : 0);
  hook.reset();
  call.Print(counts);
}

// "N" or "N nowait": N loads of a copy of the module, waiting for each window to go before the unload or not.
void Reload(const Call& call) {
  const Words times = Split(Trim(call.rest));
  const std::string_view wait = Trim(times.rest);
  if (!wait.empty() && wait != "nowait") {
    throw Usage("reload takes N [nowait]");
  }
  const ReloadOutcome outcome =
      ReloadModule(call.driver.module.path(), call.record(), Number<int>(times.first), wait.empty());
  call.Print("loads=" + std::to_string(outcome.loads) + " addresses=" + std::to_string(outcome.addresses) +
             " windows=" + std::to_string(outcome.windows) + " windows-left=" +
             std::to_string(outcome.windows_left) + " classes-left=" + std::to_string(outcome.classes_left));
}

constexpr Command kCommands[] = {
    {"info", Needs::kNothing, Info},
    {"qso", Needs::kNothing,
     [](const Call& call) {
       Qso& qso = call.driver.qso = ParseQsoLine(call.rest);
       SetQso(call.record(), qso);
       call.Print(qso.call + " " + qso.band + " " + qso.mode);
     }},
    {"table", Needs::kNothing, SetRecordText<&TContestData::LogTable>},
    {"connection", Needs::kNothing,
     [](const Call& call) {
       if (Trim(call.rest) != "zero") {
         throw Usage("connection takes only: zero");
       }
       call.record().Connection = 0;
       call.Print("0");
     }},
    {"caption", Needs::kNothing, SetRecordText<&TContestData::CaptionPrefix>},
    {"run", Needs::kNothing,
     [](const Call& call) {
       call.driver.session.Run();
       if (const HWND window = call.driver.session.window()) {
         call.driver.window_class = ClassNameOf(window);
       }
     }},
    {"getscore", Needs::kNothing,
     [](const Call& call) { call.Print(std::to_string(call.exports().get_score(&call.record()))); }},
    {"addqso", Needs::kNothing,
     [](const Call& call) { call.Print(std::to_string(call.exports().add_qso(&call.record()))); }},
    {"grab", Needs::kNothing, Grab},
    {"insert", Needs::kNothing,
     [](const Call& call) {
       call.driver.log.Insert(call.driver.table, call.driver.qso);
       call.Print("done");
     }},
    {"log", Needs::kNothing,
     [](const Call& call) {
       const LogAnswers answers = call.driver.session.Log(call.driver.qso);
       call.Print("getscore=" + std::to_string(answers.get_score) +
                  " addqso=" + std::to_string(answers.add_qso));
     }},
    {"sql", Needs::kNothing,
     [](const Call& call) {
       call.driver.log.Execute(call.rest);
       call.Print("done");
     }},
    {"replay", Needs::kNothing, Replay},
    {"reconnect", Needs::kNothing, Reconnect},
    {"wait-rows", Needs::kNothing,
     [](const Call& call) {
       call.Print(std::to_string(call.driver.session.WaitRows(Number<long long>(call.rest))));
     }},
    {"recalc", Needs::kNothing,
     [](const Call& call) { call.Print(call.driver.session.Recalc() ? "done" : "none"); }},
    {"report", Needs::kNothing, [](const Call& call) { call.driver.session.Report(); }},
    {"state", Needs::kNothing,
     [](const Call& call) {
       call.Print(DescribeState(call.driver.session.window(), call.driver.window_class));
     }},
    {"click-recalc", Needs::kButton,
     [](const Call& call) {
       PostMessageA(call.target, BM_CLICK, 0, 0);
       call.Print("posted");
     }},
    {"syscommand", Needs::kWindow,
     [](const Call& call) {
       PostMessageA(call.target, WM_SYSCOMMAND, Number<WPARAM>(call.rest, 16), 0);
       call.Print("posted");
     }},
    // Sent, so that the module's close handling has returned when the window's fate is printed.
    {"close", Needs::kWindow,
     [](const Call& call) {
       SendMessageA(call.target, WM_CLOSE, 0, 0);
       call.Print(IsWindow(call.target) ? "window=alive" : "window=gone");
     }},
    {"release", Needs::kNothing,
     [](const Call& call) {
       call.exports().release();
       call.Print("done");
     }},
    {"at-pump-point", Needs::kNothing, AtPumpPoint},
    {"rebuilds", Needs::kNothing,
     [](const Call& call) { call.Print(std::to_string(PumpPoints(call.driver).Rebuilds())); }},
    {"destroyed-report", Needs::kNothing,
     [](const Call& call) { call.driver.console.Line(PumpPoints(call.driver).DestroyedReport()); }},
    {"pump", Needs::kNothing,
     [](const Call& call) {
       const auto milliseconds = Number(call.rest);
       PumpFor(std::chrono::milliseconds(milliseconds));
       call.Print(std::to_string(milliseconds));
     }},
    {"wait-gone", Needs::kNothing,
     [](const Call& call) {
       const bool gone = PumpUntilGone(call.driver.session.window(), kReleaseTimeout);
       call.driver.console.Line(gone ? "gone: yes" : "gone: timeout");
     }},
    {"screenshot", Needs::kNothing,
     [](const Call& call) { call.driver.session.Screenshot(std::string(Trim(call.rest))); }},
    {"placement", Needs::kWindow, Placement},
    {"type", Needs::kEdit,
     [](const Call& call) {
       const std::string typed(call.rest);
       SendMessageA(call.target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
       call.Print("done");
     }},
    {"move", Needs::kWindow, Move},
    {"reg-dump", Needs::kNothing, RegDump},
    {"reg-set-dword", Needs::kNothing,
     [](const Call& call) {
       const Words value = NamedValue(call);
       const auto number = Number<DWORD>(value.rest);
       SetPlacementDword(value.first, number);
       call.Print(std::string(value.first) + "=" + std::to_string(number));
     }},
    {"reg-set-sz", Needs::kNothing,
     [](const Call& call) {
       const Words value = NamedValue(call);
       SetPlacementString(value.first, value.rest);
       call.Print(std::string(value.first) + "=" + std::string(value.rest));
     }},
    {"reg-delete-key", Needs::kNothing,
     [](const Call& call) { call.Print(DeleteHostKey() ? "done" : "none"); }},
    {"reg-lock-key", Needs::kNothing,
     [](const Call& call) {
       MakeHostKey(HostKey::kLocked);
       call.Print("done");
     }},
    {"reg-volatile-key", Needs::kNothing,
     [](const Call& call) {
       MakeHostKey(HostKey::kVolatile);
       call.Print("done");
     }},
    {"refuse-create", Needs::kNothing, HookCreate},
    {"close-on-create", Needs::kNothing, HookCreate},
    {"allow-create", Needs::kNothing, AllowCreate},
    {"windows-of", Needs::kNothing,
     [](const Call& call) {
       const std::string_view class_name = Trim(call.rest);
       call.Print(std::string(class_name) + " " + std::to_string(CountThreadWindows(class_name)));
     }},
    {"broadcast", Needs::kNothing,
     [](const Call& call) { call.Print(std::to_string(BroadcastToThreadWindows()) + " windows"); }},
    {"reload", Needs::kNothing, Reload},
};

void Execute(Driver& driver, const Words& words) {
  const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&words](const Command& known) { return known.name == words.first; });
  if (command == std::end(kCommands)) {
    throw Usage("unknown command " + std::string(words.first));
  }
  const HWND window = driver.session.window();
  HWND target = window;
  if (window != nullptr && (command->needs == Needs::kButton || command->needs == Needs::kEdit)) {
    target = FindDescendant(window, command->needs == Needs::kButton ? "button" : "edit");
  }
  if (command->needs != Needs::kNothing && target == nullptr) {
    driver.console.Line(std::string(command->name) + ": none");
    return;
  }
  command->run(Call{driver, command->name, words.rest, target});
}

}  // namespace

void RunScript(Driver& driver, std::istream& script) {
  std::string line;
  for (int number = 1; std::getline(script, line); ++number) {
    const std::string_view text = StripCr(line);
    if (IsSkippedLine(text)) {
      continue;
    }
    try {
      Execute(driver, Split(text));
    } catch (const HostError& error) {
      if (error.code() != ExitCode::kUsage) {
        throw;
      }
      throw Usage("script line " + std::to_string(number) + ": " + error.what());
    }
  }
}

std::string ScriptCommandNames() {
  std::string names;
  for (const Command& command : kCommands) {
    names += (names.empty() ? "" : " ") + std::string(command.name);
  }
  return names;
}

}  // namespace zqthost
