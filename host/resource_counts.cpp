#include "resource_counts.h"

#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

#include "host_error.h"

namespace zqthost {
namespace {

// Wine's GDI handle table: 65536 entries of 24 bytes (two 64-bit pointers around the owner, the handle's
// upper bits, its type and flags); an entry of type 0 is free. Offsets of the table's pointer: in the PEB
// (0x94 in a 32-bit one, 0xF8 in a 64-bit one); for a 32-bit process Wine keeps it in the 64-bit PEB, reached
// through the 64-bit TEB whose address it stores in the 32-bit TEB's GdiBatchCount (offset 0xF70), and the
// 64-bit TEB holds its PEB at 0x60.
constexpr std::size_t kGdiEntries = 0x10000;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiEntryTypeOffset = 14;
constexpr std::size_t kPebGdiTable = sizeof(void*) == 4 ? 0x94 : 0xF8;
constexpr std::size_t kPeb64GdiTable = 0xF8;
constexpr std::size_t kTeb32Teb64 = 0xF70;
constexpr std::size_t kTeb64Peb = 0x60;

// Handle values are multiples of four, handed out lowest first; the probe ends this far past the last one.
constexpr std::uintptr_t kHandleProbeGap = 4096;

constexpr int kCheckedGdiObjects = 128;  // brushes and fonts
constexpr int kCheckedHandles = 64;
constexpr int kCheckAttempts = 3;

template <typename T>
T ReadAt(std::uintptr_t address) {
  return *reinterpret_cast<const T*>(address);
}

// The thread's TEB, from ntdll's thread information. The headers' inline NtCurrentTeb trips GCC's bounds
// checks, and only a 32-bit ntdll exports NtCurrentTeb.
std::uintptr_t ThreadEnvironmentBlock() {
  struct BasicInformation {
    LONG exit_status;
    void* teb;
    void* client_id[2];
    ULONG_PTR affinity_mask;
    LONG priority;
    LONG base_priority;
  } information{};
  constexpr int kThreadBasicInformation = 0;
  using QueryThread = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  const FARPROC proc = ntdll ? GetProcAddress(ntdll, "NtQueryInformationThread") : nullptr;
  if (proc == nullptr ||
      reinterpret_cast<QueryThread>(reinterpret_cast<void (*)()>(proc))(
          GetCurrentThread(), kThreadBasicInformation, &information, sizeof information, nullptr) != 0)
    return 0;
  return reinterpret_cast<std::uintptr_t>(information.teb);
}

const unsigned char* WineGdiTable() {
  const std::uintptr_t teb = ThreadEnvironmentBlock();
  if (teb == 0)
    return nullptr;
  if constexpr (sizeof(void*) == 4) {
    if (const auto teb64 = ReadAt<std::uint32_t>(teb + kTeb32Teb64)) {
      const auto peb64 = ReadAt<std::uint64_t>(teb64 + kTeb64Peb);
      return reinterpret_cast<const unsigned char*>(static_cast<std::uintptr_t>(
          ReadAt<std::uint64_t>(static_cast<std::uintptr_t>(peb64) + kPeb64GdiTable)));
    }
  }
  const auto peb =
      reinterpret_cast<std::uintptr_t>(reinterpret_cast<const TEB*>(teb)->ProcessEnvironmentBlock);
  return ReadAt<const unsigned char*>(peb + kPebGdiTable);
}

int GdiObjects() {
  // Windows keeps the count; Wine answers 0 and is counted in its table.
  if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
    return static_cast<int>(counted);
  const unsigned char* table = WineGdiTable();
  if (table == nullptr)
    return 0;
  int used = 0;
  for (std::size_t i = 0; i < kGdiEntries; ++i) {
    if (table[i * kGdiEntrySize + kGdiEntryTypeOffset] != 0)
      ++used;
  }
  return used;
}

int KernelHandles() {
  DWORD counted = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &counted) && counted > 0)
    return static_cast<int>(counted);
  int used = 0;
  for (std::uintptr_t value = 4, last = 0; value <= last + kHandleProbeGap; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
      ++used;
      last = value;
    }
  }
  return used;
}

BOOL CALLBACK CountWindow(HWND, LPARAM context) {
  ++*reinterpret_cast<int*>(context);
  return TRUE;
}

// A window of this process, counted with all its descendants.
void CountTree(HWND window, int& count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId())
    return;
  ++count;
  EnumChildWindows(window, CountWindow, reinterpret_cast<LPARAM>(&count));
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM context) {
  CountTree(window, *reinterpret_cast<int*>(context));
  return TRUE;
}

int Windows() {
  int count = 0;
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  // Message-only windows are no top-level windows to EnumWindows.
  for (HWND window = nullptr; (window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;)
    CountTree(window, count);
  return count;
}

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Counts around making and dropping n objects, which must move the count by exactly +n and -n: "+n, -n".
// Another thread of the process may take or drop objects at the same moment (Wine gives a thread its queue
// and desktop handles when it first calls the window manager), so the check has a few tries.
std::string CheckFollows(const char* counted, int (*count)(), const std::string& objects, int n,
                         void* (*make)(int), void (*drop)(void*)) {
  std::string seen;
  for (int attempt = 0; attempt < kCheckAttempts; ++attempt) {
    const int before = count();
    std::vector<void*> made;
    for (int i = 0; i < n; ++i)
      made.push_back(make(i));
    const int after_making = count();
    for (void* object : made)
      drop(object);
    const int after_dropping = count();
    seen = "+" + std::to_string(after_making - before) + ", " + std::to_string(after_dropping - after_making);
    if (after_making - before == n && after_making - after_dropping == n)
      return objects + ": " + seen;
  }
  throw HostError(ExitCode::kFailure,
                  std::string("the ") + counted + " count does not follow " + objects + ": it moved " + seen);
}

// Brushes and fonts in turn.
void* MakeGdiObject(int i) {
  if (i % 2 == 0)
    return CreateSolidBrush(RGB(i, 0, 0));
  return CreateFontA(-11 - i, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
}

void DropGdiObject(void* object) {
  DeleteObject(object);
}

void* MakeEvent(int) {
  return CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

void DropEvent(void* event) {
  CloseHandle(event);
}

}  // namespace

ResourceCounts CountResources() {
  ResourceCounts counts;
  counts.resident_kb = static_cast<long long>(WorkingSet() / 1024);
  counts.heap_bytes = HeapBytesInUse();
  counts.windows = Windows();
  counts.gdi_objects = GdiObjects();
  counts.kernel_handles = KernelHandles();
  return counts;
}

std::size_t HeapBytesInUse() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  std::size_t in_use = 0;
  for (const HANDLE heap : heaps) {
    if (!HeapLock(heap))
      continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
        in_use += entry.cbData;
    }
    HeapUnlock(heap);
  }
  return in_use;
}

// Under Wine this is VmRSS of the process: Wine's ntdll reads /proc/self/status on the Unix side of the
// process itself. The host could not read that file through a path of its own: Wine's server opens files for
// its clients, so Z:\proc\self\status is the server's.
std::size_t WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  return K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) ? counters.WorkingSetSize
                                                                                  : 0;
}

std::string CheckResourceCounters() {
  DWORD answered = 0;
  const bool system_gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) > 0;
  const bool system_handles = GetProcessHandleCount(GetCurrentProcess(), &answered) && answered > 0;
  if (WorkingSet() == 0)
    throw HostError(ExitCode::kFailure, "the process memory counters answer no working set");
  const std::string gdi = CheckFollows(
      "GDI object", GdiObjects, std::to_string(kCheckedGdiObjects) + " brushes and fonts created and deleted",
      kCheckedGdiObjects, MakeGdiObject, DropGdiObject);
  const std::string handles = CheckFollows("kernel handle", KernelHandles,
                                           std::to_string(kCheckedHandles) + " events created and closed",
                                           kCheckedHandles, MakeEvent, DropEvent);
  return std::string("GDI objects ") +
         (system_gdi ? "from GetGuiResources" : "in the process's GDI handle table") + " (" + gdi +
         "); kernel handles " +
         (system_handles ? "from GetProcessHandleCount"
                         : "by probing handle values with GetHandleInformation") +
         " (" + handles + "); windows by enumeration (top-level, message-only and child); resident memory " +
         (UnderWine() ? "is the working set, which Wine reads from the process's own VmRSS"
                      : "is the working set");
}

}  // namespace zqthost
