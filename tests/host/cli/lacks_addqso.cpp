// A module that exports five of the six entry points: the host must refuse it before calling any.
#include "ZQTRTTYContest.h"

extern "C" {

void ZQT_STDCALL GetInfoStub(TPluginInfo*) {}
void* ZQT_STDCALL RunStub(uint32_t, const TContestData*) {
  return nullptr;
}
int32_t ZQT_STDCALL GetScoreStub(const TContestData*) {
  return 0;
}
void ZQT_STDCALL GrabNumberStub(const TContestData*, uint8_t* number) {
  number[0] = 0;
}
void ZQT_STDCALL ReleaseStub() {}
}
