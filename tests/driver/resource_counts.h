#pragma once
// What the host process holds, counted from inside it: resident memory, heap bytes in use, windows, GDI
// objects and kernel handles. Wine answers GetGuiResources and GetProcessHandleCount with 0, so there GDI
// objects and handles are counted in ways of their own, which CheckResourceCounters proves to count.

#include <cstddef>
#include <string>

namespace zqthost {

struct ResourceCounts {
  long long resident_kb = 0;   // the working set: under Wine, VmRSS of the process
  std::size_t heap_bytes = 0;  // in use in the process's Windows heaps
  int windows = 0;             // top-level, message-only and child windows of this process
  int gdi_objects = 0;
  int kernel_handles = 0;
};

ResourceCounts CountResources();

// The bytes in use in the process's Windows heaps, where the module's C runtime allocates.
std::size_t HeapBytesInUse();

// The working set as the process memory counters report it; under Wine the process's VmRSS.
std::size_t WorkingSet();

// Creates and deletes brushes, fonts and events, and checks that the counts follow them exactly. Returns how
// each count is taken and what the check saw; throws HostError when a count does not follow.
std::string CheckResourceCounters();

}  // namespace zqthost
