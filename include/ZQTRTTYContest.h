/*
 * ZQTRTTYContest.dll: the contest module's boundary for host authors.
 *
 * A host loads the DLL, resolves the six exports below by their undecorated names and calls them from its
 * user-interface thread: _GetInfo at any time, _Run before any QSO, then _GetScore / _AddQSO / _GrabNumber,
 * and _Release last. After _Release the host keeps pumping messages until the module's window is destroyed,
 * before it unloads the DLL.
 *
 * Text fields are length-prefixed 8-bit text in the host's ANSI code page: one length byte (0..255) followed
 * by that many characters in a 256-byte slot. Numbers are little-endian. Offsets are from the start of the
 * record.
 */
#ifndef ZQTRTTYCONTEST_H
#define ZQTRTTYCONTEST_H

#include <stdint.h>

/*
 * The module is a 32-bit DLL, and its host must be a 32-bit program: TContestData.Connection holds a 4-byte
 * ODBC handle, and a 64-bit host's handle would be cut to its low half. ZQT_ALLOW_64BIT_TWIN is defined by
 * the module's own build for its x86-64 test build and native tests alone; a host must never define it.
 */
#if defined(_WIN64) || (defined(__SIZEOF_POINTER__) && __SIZEOF_POINTER__ != 4)
#ifndef ZQT_ALLOW_64BIT_TWIN
#error "32-bit hosts only: TContestData.Connection is 4 bytes and would cut a 64-bit ODBC handle"
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define ZQT_STDCALL __stdcall
#elif defined(_WIN32)
#define ZQT_STDCALL
#else
#define ZQT_STDCALL
#endif

typedef uint8_t ZqtText[256]; /* length byte, then up to 255 characters */

#pragma pack(push, 1)
/* One QSO and the host's log context: 5916 bytes. */
typedef struct TContestData {
  uint32_t Connection;      /*    0: the host's ODBC connection handle (SQLHDBC) */
  uint8_t HostData0[8];     /*    4: host's own, not read */
  ZqtText LogTable;         /*   12: name of the host's log table */
  ZqtText CallSign;         /*  268: worked station's call */
  uint8_t HostData1[16];    /*  524 */
  ZqtText DigiBand;         /*  540: band, compared as text */
  ZqtText QSOMode;          /*  796: mode, compared as text */
  ZqtText Continent;        /* 1052 */
  ZqtText QSOReportRecived; /* 1308: not read; the rebuild fills the module's own copy */
  uint8_t HostData2[768];   /* 1564 */
  ZqtText MainPrefix;       /* 2332: call area, e.g. JA1, K6, VE3 */
  ZqtText DXCCPrefix;       /* 2588: entity prefix, e.g. JA, K, VE, VK, DL */
  uint8_t HostData3[1024];  /* 2844 */
  ZqtText CaptionPrefix;    /* 3868: text in front of the window caption */
  uint8_t HostData4[1792];  /* 4124 */
} TContestData;

/* Filled by _GetInfo; the host supplies at least 520 bytes. */
typedef struct TPluginInfo {
  ZqtText PluginName;    /*   0: "ZQT RTTY Contest" */
  int32_t PluginKind;    /* 256: 1 */
  ZqtText PluginKey;     /* 260: "kelvor_contest" */
  int32_t PluginVersion; /* 516: 1 */
} TPluginInfo;
#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(TContestData) == 5916, "TContestData is 5916 bytes");
static_assert(sizeof(TPluginInfo) == 520, "TPluginInfo is 520 bytes");
#else
_Static_assert(sizeof(TContestData) == 5916, "TContestData is 5916 bytes");
_Static_assert(sizeof(TPluginInfo) == 520, "TPluginInfo is 520 bytes");
#endif

/* The six exports. Results: 1 new/counted, -1 duplicate, 0 no window. */
typedef void(ZQT_STDCALL* ZqtGetInfoFn)(TPluginInfo* Info);
typedef void*(ZQT_STDCALL* ZqtRunFn)(uint32_t Ignored,
                                     const TContestData* Data); /* returns the window's HWND */
typedef int32_t(ZQT_STDCALL* ZqtGetScoreFn)(const TContestData* Data);
typedef int32_t(ZQT_STDCALL* ZqtAddQSOFn)(const TContestData* Data);
typedef void(ZQT_STDCALL* ZqtGrabNumberFn)(const TContestData* Data, uint8_t* Number); /* Number: 256 bytes */
typedef void(ZQT_STDCALL* ZqtReleaseFn)(void);

#ifdef __cplusplus
}
#endif

#endif
