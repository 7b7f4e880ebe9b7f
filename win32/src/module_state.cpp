#include "module_state.h"

#include <algorithm>

#include "main_form.h"
#include "win32/win_placement_window.h"

namespace zqt::win32 {

ModuleState& Module() {
  static ModuleState state;
  return state;
}

int ModuleState::PixelsPerInch() {
  if (pixels_per_inch_ == 0)
    pixels_per_inch_ = ReadLogicalPixelsPerInch();
  return pixels_per_inch_;
}

void ModuleState::Adopt(std::unique_ptr<TfmMainForm> form) {
  windows.push_back(std::move(form));
  main_form = windows.back().get();
}

void ForgetWindow(const TfmMainForm* form) {
  ModuleState& state = Module();
  if (state.main_form == form)
    state.main_form = nullptr;
  std::erase_if(state.windows, [form](const std::unique_ptr<TfmMainForm>& w) { return w.get() == form; });
}

void UnloadWindows() {
  ModuleState& state = Module();
  state.main_form = nullptr;
  state.windows.clear();
  if (state.classes_registered)
    TfmMainForm::UnregisterClasses(state.instance);
}

}  // namespace zqt::win32
