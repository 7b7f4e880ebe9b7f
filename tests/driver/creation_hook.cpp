#include "creation_hook.h"

#include <algorithm>

#include "host_error.h"
#include "module_window.h"

namespace zqthost {
namespace {

// The hook procedure gets no context of its own: the hook active on this thread.
thread_local CreationHook* active_hook = nullptr;

// Menus noted before the hook stops noting them: it must not allocate, since nothing may throw through it.
constexpr std::size_t kMenusNoted = 16;

}  // namespace

CreationHook::CreationHook(std::string class_name, Action action)
    : class_name_(std::move(class_name)), action_(action) {
  if (active_hook != nullptr) {
    throw HostError(ExitCode::kUsage, "a window creation hook is already active");
  }
  menus_.reserve(kMenusNoted);
  active_hook = this;
  hook_.reset(SetWindowsHookExA(WH_CBT, Procedure, nullptr, GetCurrentThreadId()));
  if (!hook_) {
    active_hook = nullptr;
    throw HostError(ExitCode::kFailure, "cannot install the window creation hook");
  }
}

CreationHook::~CreationHook() {
  hook_.reset();
  active_hook = nullptr;
}

int CreationHook::MenusLeft() const {
  return static_cast<int>(
      std::count_if(menus_.begin(), menus_.end(), [](HMENU menu) { return IsMenu(menu); }));
}

bool CreationHook::OnCreate(HWND window, const CREATESTRUCTA& create) {
  // The window exists already at this point, so its class name is known even when given as an atom.
  if (lstrcmpiA(ClassNameOf(window).c_str(), class_name_.c_str()) != 0) {
    return false;
  }
  ++hits_;
  if (action_ == Action::kCloseParent) {
    if (create.hwndParent != nullptr) {
      SendMessageA(create.hwndParent, WM_CLOSE, 0, 0);
    }
    return false;
  }
  // A child's menu field is its control id, not a menu.
  if ((create.style & WS_CHILD) == 0 && create.hMenu != nullptr && menus_.size() < menus_.capacity()) {
    menus_.push_back(create.hMenu);
  }
  return true;
}

LRESULT CALLBACK CreationHook::Procedure(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && active_hook != nullptr &&
      active_hook->OnCreate(reinterpret_cast<HWND>(wparam),
                            *reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs)) {
    return 1;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace zqthost
