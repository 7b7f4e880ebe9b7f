// The six entry points. Every one catches everything: no error ever leaves the module into the host. A null
// pointer from the host is never dereferenced.

#include <windows.h>

#include <cstdint>
#include <memory>
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
    if (!module.main_form)
      module.Adopt(std::make_unique<TfmMainForm>(module.instance, module.buffer, *Data));
    TfmMainForm* form = module.main_form;
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
    if (!module.main_form)
      return 0;
    return module.main_form->CheckQSO(false);
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
    TfmMainForm* form = module.main_form;
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
    auto& module = Module();
    if (module.main_form)
      module.main_form->Release();
    module.main_form = nullptr;
  } catch (...) {
  }
}

}  // extern "C"
