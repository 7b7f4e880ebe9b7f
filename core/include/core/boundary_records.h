#pragma once
// The records that cross the boundary between host and module, with their layout pinned down, and the
// length-prefixed text they carry.

#include <cstddef>
#include <string_view>

#include "ZQTRTTYContest.h"

namespace zqt {

static_assert(std::is_standard_layout_v<TContestData> && std::is_standard_layout_v<TPluginInfo>);
static_assert(sizeof(TContestData) == 5916);
static_assert(sizeof(TContestData::Connection) == 4);
static_assert(offsetof(TContestData, Connection) == 0);
static_assert(offsetof(TContestData, HostData0) == 4);
static_assert(offsetof(TContestData, LogTable) == 12);
static_assert(offsetof(TContestData, CallSign) == 268);
static_assert(offsetof(TContestData, HostData1) == 524);
static_assert(offsetof(TContestData, DigiBand) == 540);
static_assert(offsetof(TContestData, QSOMode) == 796);
static_assert(offsetof(TContestData, Continent) == 1052);
static_assert(offsetof(TContestData, QSOReportRecived) == 1308);
static_assert(offsetof(TContestData, HostData2) == 1564);
static_assert(offsetof(TContestData, MainPrefix) == 2332);
static_assert(offsetof(TContestData, DXCCPrefix) == 2588);
static_assert(offsetof(TContestData, HostData3) == 2844);
static_assert(offsetof(TContestData, CaptionPrefix) == 3868);
static_assert(offsetof(TContestData, HostData4) == 4124);

static_assert(sizeof(TPluginInfo) == 520);
static_assert(offsetof(TPluginInfo, PluginName) == 0);
static_assert(offsetof(TPluginInfo, PluginKind) == 256);
static_assert(offsetof(TPluginInfo, PluginKey) == 260);
static_assert(offsetof(TPluginInfo, PluginVersion) == 516);
static_assert(sizeof(ZqtText) == 256);

// The text of a slot: its length byte's worth of characters.
inline std::string_view TextView(const ZqtText& slot) {
  return {reinterpret_cast<const char*>(slot + 1), slot[0]};
}

// Stores at most 255 characters and sets the length byte; the rest of the slot is left as it was.
void WriteText(ZqtText& slot, std::string_view text);

}  // namespace zqt
