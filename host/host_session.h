#pragma once
// One run of the host against the module: the record it passes, the module window, and every step the
// default flow and the test scripts take, each printing its result line.

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ZQTRTTYContest.h"
#include "console.h"
#include "creation_hook.h"
#include "module_loader.h"
#include "odbc_log.h"
#include "options.h"
#include "pump_point_calls.h"
#include "qso_line.h"
#include "release_hook.h"

namespace zqthost {

class HostSession {
 public:
  // Throws HostError (ExitCode::kOdbc) when the connection handle does not fit the record's 32-bit field.
  HostSession(Console& console, const Options& options, OdbcLog& log, ContestModule& module);
  // After a failure: releases the module and waits for its window, keeping the library loaded if it stays.
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // _GetInfo into a buffer filled with 0xAA; prints the info line, and with check_untouched whether the
  // bytes after the two texts were left alone.
  void Info(bool check_untouched);
  void Run();
  void GetScore();
  void AddQso();
  void Grab();

  // Takes the next QSO silently (the default flow) or printing "qso: <call> <band> <mode>" (scripts).
  void SetQso(const Qso& qso);
  void QsoCommand(const Qso& qso);
  void SetTable(std::string_view table);
  void ZeroConnection();
  void SetCaption(std::string_view caption);

  // Inserts the current QSO into the host's log table.
  void Insert();
  // One logged QSO: _GetScore ("dupe: ..." for -1), insert, _AddQSO, pump; with print_results also
  // "log: getscore=N addqso=N". Returns the answer of _AddQSO.
  int Log(bool print_results);
  void Sql(std::string_view statement);
  // Logs the QSOs first..last (from 1, inclusive, cut to the log's end) of a contest log file as Log does,
  // and prints "replay: N QSOs".
  void Replay(const std::vector<Qso>& qsos, std::size_t first, std::size_t last);
  // Connects the host's log again on the same handle: "reconnect: done", or "reconnect: failed: <message>"
  // with the host going on disconnected, as a logging program that keeps its operator working does.
  void Reconnect();
  // Pumps messages until the log table holds at least `rows` rows (other positions logging into it too);
  // after two minutes throws HostError.
  void WaitRows(long long rows);

  void Report();
  void State();
  void ClickRecalc();
  // Clicks the button and returns once its rebuild has run: "recalc: done".
  void Recalc();
  void SysCommand(WPARAM code);
  void Close();
  void Release();
  void ReleaseDuringRebuild();
  // Calls the entry point at point 1 or 2 of the next rebuild (see PumpPointCalls): "at-pump-point: P NAME".
  void AtPumpPoint(int point, EntryPoint entry, std::string_view name);
  // "rebuilds: N", the rebuilds begun since the first pump-point command.
  void Rebuilds();
  // The module window's last report as it was destroyed, with its button's state then.
  void DestroyedReport();
  void Pump(std::chrono::milliseconds duration);
  void WaitGone();
  void Screenshot(const std::string& path);
  // "placement: showcmd=N normal=L,T,R,B" from GetWindowPlacement, or "placement: none".
  void Placement();
  // Replaces the report text area's text, as an operator typing into it would.
  void Type(std::string_view text);
  // Moves and sizes the window in its normal state to the rectangle left, top, right, bottom.
  void Move(int left, int top, int right, int bottom);

  // The module's registry section for this host: "reg: NAME=TYPE:DATA" a value, sorted, or "reg: none".
  void RegDump();
  void RegSetDword(std::string_view name, DWORD value);
  void RegSetSz(std::string_view name, std::string_view text);
  // Deletes HKCU\Software\<host name> with everything below it.
  void RegDeleteKey();
  // Keeps the message loop running until the module window is gone or the operator stops the host.
  void Stay();

  // _Release, then pumps until the window is destroyed (10 s at most) and prints "released".
  void Finish();

  // Fault injection. Until AllowCreate, every window of that class is refused, or its parent is sent
  // WM_CLOSE as it is created: "refuse-create: CLASS", "close-on-create: CLASS".
  void HookCreate(std::string_view class_name, CreationHook::Action action);
  // "allow-create: hits=N menus-left=M": creations acted on, and menus of refused windows still alive.
  void AllowCreate();
  // "windows-of: CLASS N", counting this thread's windows of that class.
  void WindowsOf(std::string_view class_name);
  // "broadcast: N windows": the system's notices to every top-level window of this thread.
  void Broadcast();
  // Reloads a copy of the module, waiting for each window to go before the unload or not:
  // "reload: loads=N addresses=A windows=W windows-left=L classes-left=C".
  void Reload(int times, bool wait_for_window);

 private:
  HWND LiveWindow() const;
  HWND RecalcButton() const;
  PumpPointCalls& PumpPoints();

  Console& console_;
  OdbcLog& log_;
  ContestModule& module_;
  const ModuleExports& exports_;
  std::string table_;
  TContestData record_{};
  Qso qso_;
  HWND window_ = nullptr;
  std::string window_class_;
  std::unique_ptr<ReleaseHook> release_hook_;
  std::unique_ptr<CreationHook> creation_hook_;
  std::unique_ptr<PumpPointCalls> pump_point_calls_;
  bool finished_ = false;
};

}  // namespace zqthost
