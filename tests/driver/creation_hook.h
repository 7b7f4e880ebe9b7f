#pragma once
// Fault injection on the UI thread: a hook that meddles with the creation of every window of one class, so a
// test can see how the module copes with a window it cannot make, or with a close request that arrives while
// its window is still being built.

#include <windows.h>

#include <string>
#include <vector>

#include "win32/win_handles.h"

namespace zqthost {

class CreationHook {
 public:
  enum class Action {
    kRefuse,       // the creation fails, as on a system short of window resources
    kCloseParent,  // the window-to-be's parent is sent WM_CLOSE first, then the creation goes on
  };

  // Installs a computer-based-training hook on the calling thread, one at a time. Throws HostError when the
  // hook cannot be installed or another one is active.
  CreationHook(std::string class_name, Action action);
  ~CreationHook();
  CreationHook(const CreationHook&) = delete;
  CreationHook& operator=(const CreationHook&) = delete;

  // Creations of the class the hook acted on.
  int Hits() const { return hits_; }
  // How many of the menus handed to refused top-level windows still exist.
  int MenusLeft() const;

 private:
  static LRESULT CALLBACK Procedure(int code, WPARAM wparam, LPARAM lparam);
  // True when the creation is to fail.
  bool OnCreate(HWND window, const CREATESTRUCTA& create);

  std::string class_name_;
  Action action_;
  int hits_ = 0;
  std::vector<HMENU> menus_;
  zqt::win32::UniqueHook hook_;
};

}  // namespace zqthost
