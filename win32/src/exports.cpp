// The six entry points. Every one catches everything: no error ever leaves the module into the host. A null
// pointer from the host is never dereferenced.

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/boundary_records.h"
#include "main_form.h"
#include "module_state.h"

using zqt::win32::Module;
using zqt::win32::TfmMainForm;

namespace {

// The contest hands out no serial numbers: the number text is always empty.
std::string GetNextNumber() {
  return {};
}

}  // namespace

extern "C" {

void ZQT_STDCALL _GetInfo(TPluginInfo* Info) {
  if (!Info)
    return;
  Info->PluginKind = 1;
  zqt::WriteText(Info->PluginName, "ZQT RTTY Contest");
  zqt::WriteText(Info->PluginKey, "kelvor_contest");
  Info->PluginVersion = 1;
}

void* ZQT_STDCALL _Run(std::uint32_t, const TContestData* Data) {
  try {
    if (!Data)
      return nullptr;
    auto& module = Module();
    TfmMainForm* form = module.forms.Current();
    if (!form)
      form = &module.forms.Open(module.instance, module.buffer, *Data);
    const HWND handle = form->Handle();
    form->Show();
    return handle;
  } catch (...) {
    return nullptr;
  }
}

std::int32_t ZQT_STDCALL _GetScore(const TContestData* Data) {
  try {
    if (!Data)
      return 0;
    auto& module = Module();
    module.buffer.CopyIn(Data);
    TfmMainForm* form = module.forms.Current();
    return form ? form->CheckQSO(false) : 0;
  } catch (...) {
    return 0;
  }
}

std::int32_t ZQT_STDCALL _AddQSO(const TContestData* Data) {
  try {
    if (!Data)
      return 0;
    auto& module = Module();
    module.buffer.CopyIn(Data);
    TfmMainForm* form = module.forms.Current();
    if (!form)
      return 0;
    const int result = form->CheckQSO(true);
    if (result > 0)
      form->SortWorked();
    form->ShowStatistic();
    return result;
  } catch (...) {
    return 0;
  }
}

void ZQT_STDCALL _GrabNumber(const TContestData* Data, std::uint8_t* Number) {
  try {
    if (Data)
      Module().buffer.CopyIn(Data);
    if (Number)
      Number[0] = static_cast<std::uint8_t>(GetNextNumber().size());
  } catch (...) {
  }
}

void ZQT_STDCALL _Release() {
  try {
    if (TfmMainForm* form = Module().forms.Current())
      form->Release();
  } catch (...) {
  }
}

}  // extern "C"
