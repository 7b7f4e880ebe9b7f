#include "pump_point_calls.h"

#include "core/ascii_case.h"
#include "host_error.h"
#include "module_window.h"

namespace zqthost {
namespace {

struct ThreadWindowSearch {
  HMODULE module = nullptr;
  HWND found = nullptr;
};

BOOL CALLBACK MatchModuleWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<ThreadWindowSearch*>(context);
  if (reinterpret_cast<HMODULE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) == search.module) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

bool IsButton(HWND window) {
  return zqt::ToLowerAscii(ClassNameOf(window)) == "button";
}

const char* Flag(bool value) {
  return value ? "1" : "0";
}

}  // namespace

PumpPointCalls* PumpPointCalls::active_ = nullptr;

std::optional<EntryPoint> EntryPointNamed(std::string_view name) {
  if (name == "getscore")
    return EntryPoint::kGetScore;
  if (name == "addqso")
    return EntryPoint::kAddQso;
  if (name == "run")
    return EntryPoint::kRun;
  if (name == "release")
    return EntryPoint::kRelease;
  return std::nullopt;
}

PumpPointCalls::PumpPointCalls(Console& console, const ContestModule& module, TContestData& record)
    : console_(console),
      exports_(module.exports()),
      module_(module.handle()),
      record_(record),
      window_([this](WPARAM entry) { Call(static_cast<EntryPoint>(entry)); }) {
  if (active_ != nullptr) {
    throw HostError(ExitCode::kFailure, "the host watches one module's rebuilds at a time");
  }
  hook_.reset(SetWindowsHookExA(WH_CALLWNDPROC, HookProcedure, nullptr, GetCurrentThreadId()));
  if (!hook_) {
    throw HostError(ExitCode::kFailure, "cannot hook the host's window messages");
  }
  active_ = this;
}

PumpPointCalls::~PumpPointCalls() {
  active_ = nullptr;
}

void PumpPointCalls::Arm(int point, EntryPoint entry) {
  if (point == 1) {
    window_.Post(static_cast<WPARAM>(entry));
  } else if (point == 2) {
    at_disable_ = entry;
  } else {
    at_box_ = entry;
  }
}

std::string PumpPointCalls::DestroyedReport() const {
  if (!destroyed_) {
    return "destroyed: none";
  }
  return std::string("destroyed: button-enabled=") + Flag(destroyed_->button_enabled) + "\n" +
         FormatReport(destroyed_->report);
}

LRESULT CALLBACK PumpPointCalls::HookProcedure(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && active_ != nullptr) {
    // Nothing may unwind through the system's call of the hook.
    try {
      active_->Sent(*reinterpret_cast<const CWPSTRUCT*>(lparam));
    } catch (...) {
      active_->console_.Line("pump-point hook: failed");
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void PumpPointCalls::Sent(const CWPSTRUCT& message) {
  if (message.message == WM_INITDIALOG && at_box_ && IsModuleWindow(GetWindow(message.hwnd, GW_OWNER))) {
    const EntryPoint entry = *at_box_;
    at_box_.reset();
    Call(entry);
    return;
  }
  if (!IsModuleWindow(message.hwnd)) {
    return;
  }
  if (message.message == WM_ENABLE && message.wParam == FALSE && IsButton(message.hwnd)) {
    ++rebuilds_;
    if (at_disable_) {
      window_.Post(static_cast<WPARAM>(*at_disable_));
      at_disable_.reset();
    }
  } else if (message.message == WM_DESTROY && (GetWindowLongA(message.hwnd, GWL_STYLE) & WS_CHILD) == 0) {
    // The children still exist while their parent handles WM_DESTROY.
    const HWND button = FindDescendant(message.hwnd, "button");
    destroyed_ = Destroyed{ReadReport(message.hwnd), button != nullptr && IsWindowEnabled(button)};
  }
}

bool PumpPointCalls::IsModuleWindow(HWND window) const {
  return window != nullptr && reinterpret_cast<HMODULE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) == module_;
}

HWND PumpPointCalls::ModuleWindow() const {
  ThreadWindowSearch search{module_};
  EnumThreadWindows(GetCurrentThreadId(), MatchModuleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PumpPointCalls::Call(EntryPoint entry) {
  // Where the call runs, taken before it: a release may take the window with it.
  const HWND window = ModuleWindow();
  const HWND button = window != nullptr ? FindDescendant(window, "button") : nullptr;
  const std::string where = " rebuilds=" + std::to_string(rebuilds_) +
                            " button-enabled=" + Flag(button != nullptr && IsWindowEnabled(button));
  switch (entry) {
    case EntryPoint::kGetScore:
      console_.Line("pump-call: getscore=" + std::to_string(exports_.get_score(&record_)) + where);
      break;
    case EntryPoint::kAddQso:
      console_.Line("pump-call: addqso=" + std::to_string(exports_.add_qso(&record_)) + where);
      break;
    case EntryPoint::kRun:
      console_.Line("pump-call: run=" + HandleText(exports_.run(0, &record_)) + where);
      break;
    case EntryPoint::kRelease:
      exports_.release();
      console_.Line(std::string("pump-call: release window-alive=") + Flag(IsWindow(window) != FALSE) +
                    where);
      break;
  }
}

}  // namespace zqthost
