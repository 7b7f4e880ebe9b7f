#pragma once
// The contest module, loaded by path and reached only through its six exports.

#include <windows.h>

#include <string>
#include <string_view>

#include "ZQTRTTYContest.h"

namespace zqthost {

struct ModuleExports {
  ZqtGetInfoFn get_info = nullptr;
  ZqtRunFn run = nullptr;
  ZqtGetScoreFn get_score = nullptr;
  ZqtAddQSOFn add_qso = nullptr;
  ZqtGrabNumberFn grab_number = nullptr;
  ZqtReleaseFn release = nullptr;
};

class ContestModule {
 public:
  // Throws HostError (ExitCode::kModule): "cannot load <path>", or "<file> lacks export <name>" for the first
  // export missing in the order _GetInfo, _Run, _GetScore, _AddQSO, _GrabNumber, _Release.
  explicit ContestModule(const std::string& path);
  ~ContestModule();
  ContestModule(const ContestModule&) = delete;
  ContestModule& operator=(const ContestModule&) = delete;

  const ModuleExports& exports() const { return exports_; }
  // The module's instance, which the windows it creates carry.
  HMODULE handle() const { return library_; }
  const std::string& path() const { return path_; }

  // Leaves the library loaded at exit: unloading it under a live window of its own would crash the host.
  void KeepLoaded() { keep_loaded_ = true; }

 private:
  std::string path_;
  HMODULE library_ = nullptr;
  ModuleExports exports_;
  bool keep_loaded_ = false;
};

// The file name of a path, without its directory.
std::string_view FileNameOf(std::string_view path);

}  // namespace zqthost
