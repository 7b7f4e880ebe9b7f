#include "module_reload.h"

#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <memory>
#include <set>
#include <vector>

#include "host_error.h"
#include "message_loop.h"
#include "module_loader.h"
#include "module_window.h"

namespace zqthost {
namespace {

constexpr auto kReleaseTimeout = std::chrono::seconds(10);

// A copy of a file in the temporary folder, deleted with this object.
class TempCopy {
 public:
  explicit TempCopy(const std::string& source) {
    char folder[MAX_PATH] = {};
    char name[MAX_PATH] = {};
    if (GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "zqt", 0, name) == 0) {
      throw HostError(ExitCode::kFailure, "cannot name a temporary copy of " + source);
    }
    path_ = name;
    if (!CopyFileA(source.c_str(), path_.c_str(), FALSE)) {
      DeleteFileA(path_.c_str());
      throw HostError(ExitCode::kFailure, "cannot copy " + source + " to " + path_);
    }
  }
  ~TempCopy() { DeleteFileA(path_.c_str()); }
  TempCopy(const TempCopy&) = delete;
  TempCopy& operator=(const TempCopy&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Address space reserved where an unloaded image was, so that the next load goes elsewhere.
struct ReservationDeleter {
  void operator()(void* base) const { VirtualFree(base, 0, MEM_RELEASE); }
};
using UniqueReservation = std::unique_ptr<void, ReservationDeleter>;

struct ClassSearch {
  HMODULE instance;
  std::set<std::string> names;
};

void NoteOwnClass(HWND window, ClassSearch& search) {
  if (reinterpret_cast<HMODULE>(GetClassLongPtrA(window, GCLP_HMODULE)) == search.instance) {
    search.names.insert(ClassNameOf(window));
  }
}

BOOL CALLBACK NoteChildClass(HWND child, LPARAM context) {
  NoteOwnClass(child, *reinterpret_cast<ClassSearch*>(context));
  return TRUE;
}

// The classes of the window and its descendants that the module registered itself.
std::set<std::string> OwnClasses(HWND window, HMODULE instance) {
  ClassSearch search{instance, {}};
  NoteOwnClass(window, search);
  EnumChildWindows(window, NoteChildClass, reinterpret_cast<LPARAM>(&search));
  return search.names;
}

int RegisteredClasses(HMODULE instance, const std::set<std::string>& names) {
  int registered = 0;
  for (const std::string& name : names) {
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    registered += GetClassInfoExA(instance, name.c_str(), &info) ? 1 : 0;
  }
  return registered;
}

}  // namespace

ReloadOutcome ReloadModule(const std::string& module_path, const TContestData& record, int times,
                           bool wait_for_window) {
  const TempCopy copy(module_path);
  ReloadOutcome outcome;
  std::set<HMODULE> addresses;
  UniqueReservation previous_image;
  for (int load = 0; load < times; ++load) {
    HMODULE instance = nullptr;
    HWND window = nullptr;
    std::set<std::string> classes;
    MODULEINFO image{};
    {
      ContestModule module(copy.path());
      instance = module.handle();
      previous_image.reset();
      addresses.insert(instance);
      GetModuleInformation(GetCurrentProcess(), instance, &image, sizeof image);
      window = static_cast<HWND>(module.exports().run(0, &record));
      if (window != nullptr && IsWindow(window)) {
        ++outcome.windows;
        classes = OwnClasses(window, instance);
      }
      module.exports().release();
      if (wait_for_window && !PumpUntilGone(window, kReleaseTimeout)) {
        module.KeepLoaded();
        throw HostError(ExitCode::kWindowStuck, "the module window still exists 10 s after _Release");
      }
    }
    ++outcome.loads;
    // Whatever the module left queued must find no window of the unloaded image.
    DrainMessages();
    outcome.windows_left += window != nullptr && IsWindow(window) ? 1 : 0;
    outcome.classes_left += RegisteredClasses(instance, classes);
    previous_image.reset(VirtualAlloc(instance, image.SizeOfImage, MEM_RESERVE, PAGE_NOACCESS));
  }
  outcome.addresses = static_cast<int>(addresses.size());
  return outcome;
}

}  // namespace zqthost
