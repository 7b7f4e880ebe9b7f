#include "module_state.h"

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

void UnloadWindows() {
  ModuleState& state = Module();
  state.forms.Clear();
  if (state.classes_registered)
    TfmMainForm::UnregisterClasses(state.instance);
}

}  // namespace zqt::win32
