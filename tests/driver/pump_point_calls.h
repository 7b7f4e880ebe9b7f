#pragma once
// Calls an entry point of the module from inside one of its rebuilds, at either point where a rebuild lets
// waiting messages run. Point 1 comes before the action disables its button: a message posted before the
// click or the _Run runs there. Point 2 comes after the query has opened: the message is posted as the button
// is disabled, which a WH_CALLWNDPROC hook of this thread sees as WM_ENABLE(FALSE), and the rebuild's next
// pump runs it. Point 3 is the module's next error box: the call is made as the box is created (the hook sees
// WM_INITDIALOG), before the box shows and its message loop runs. Each call prints what it answered with the
// number of rebuilds begun and the button's state at that moment, which shows where it ran. The same hook
// reads the report as the module window is destroyed.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "ZQTRTTYContest.h"
#include "call_window.h"
#include "console.h"
#include "module_loader.h"
#include "win32/win_handles.h"

namespace zqthost {

enum class EntryPoint : WPARAM { kGetScore, kAddQso, kRun, kRelease };

// "getscore", "addqso", "run" or "release"; nothing for any other name.
std::optional<EntryPoint> EntryPointNamed(std::string_view name);

class PumpPointCalls {
 public:
  // The calls pass the host's record as it is when they run. Throws HostError when the hook cannot be set.
  PumpPointCalls(Console& console, const ContestModule& module, TContestData& record);
  ~PumpPointCalls();
  PumpPointCalls(const PumpPointCalls&) = delete;
  PumpPointCalls& operator=(const PumpPointCalls&) = delete;

  // Point 1: posts the call now, so the next rebuild's first pump runs it. Point 2: posts it as the module's
  // button is next disabled. Point 3: makes it as the module's next error box is created. The call prints
  // "pump-call: <entry>=<answer> rebuilds=N button-enabled=0|1"
  // ("pump-call: release window-alive=0|1 ..." for _Release).
  void Arm(int point, EntryPoint entry);

  // The rebuilds begun since this object was made: each disables the module's button once.
  int Rebuilds() const { return rebuilds_; }

  // "destroyed: button-enabled=0|1" and the report the module window showed as it was destroyed, or
  // "destroyed: none".
  std::string DestroyedReport() const;

 private:
  struct Destroyed {
    std::optional<std::string> report;
    bool button_enabled = false;
  };

  static LRESULT CALLBACK HookProcedure(int code, WPARAM wparam, LPARAM lparam);
  void Sent(const CWPSTRUCT& message);
  void Call(EntryPoint entry);
  bool IsModuleWindow(HWND window) const;
  // The module's top-level window on this thread, or nothing.
  HWND ModuleWindow() const;

  static PumpPointCalls* active_;  // the hook procedure's way back to its object

  Console& console_;
  const ModuleExports& exports_;
  HMODULE module_;
  TContestData& record_;
  CallWindow window_;
  std::optional<EntryPoint> at_disable_;
  std::optional<EntryPoint> at_box_;
  int rebuilds_ = 0;
  std::optional<Destroyed> destroyed_;
  zqt::win32::UniqueHook hook_;
};

}  // namespace zqthost
