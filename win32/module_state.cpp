#include "win32/module_state.h"

#include <algorithm>

#include "win32/main_form.h"

namespace zqt::win32 {

ModuleState& Module() {
  static ModuleState state;
  return state;
}

void ForgetWindow(const TfmMainForm* form) {
  ModuleState& state = Module();
  if (state.fmMainForm == form)
    state.fmMainForm = nullptr;
  std::erase_if(state.windows, [form](const std::unique_ptr<TfmMainForm>& w) { return w.get() == form; });
}

}  // namespace zqt::win32
