// The six entry points. Each absorbs every error: none ever leaves the module into the host. A null pointer
// from the host is never dereferenced.

#include <windows.h>

#include <cstdint>

#include "core/boundary_records.h"
#include "module_state.h"

using zqt::win32::Module;

namespace {

// What `work` answers, or `fallback` when it fails in any way.
template <class Result, class Work>
Result Answer(Result fallback, Work&& work) {
  try {
    return work();
  } catch (...) {
    return fallback;
  }
}

template <class Work>
void Absorb(Work&& work) {
  try {
    work();
  } catch (...) {
  }
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
  return Answer<HWND>(nullptr, [&] { return Data ? Module().Run(*Data) : nullptr; });
}

std::int32_t ZQT_STDCALL _GetScore(const TContestData* Data) {
  return Answer(0, [&] { return Data ? Module().GetScore(*Data) : 0; });
}

std::int32_t ZQT_STDCALL _AddQSO(const TContestData* Data) {
  return Answer(0, [&] { return Data ? Module().AddQSO(*Data) : 0; });
}

void ZQT_STDCALL _GrabNumber(const TContestData* Data, std::uint8_t* Number) {
  Absorb([&] { Module().GrabNumber(Data, Number); });
}

void ZQT_STDCALL _Release() {
  Absorb([] { Module().Release(); });
}

}  // extern "C"
