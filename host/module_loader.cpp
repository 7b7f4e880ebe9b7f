#include "module_loader.h"

#include "host_error.h"

namespace zqthost {
namespace {

template <typename Fn>
void Resolve(HMODULE library, std::string_view file, const char* name, Fn& target) {
  const FARPROC proc = GetProcAddress(library, name);
  if (proc == nullptr) {
    throw HostError(ExitCode::kModule, std::string(file) + " lacks export " + name);
  }
  // Through the generic function pointer type, which GCC accepts as a cast between function types.
  target = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace

std::string_view FileNameOf(std::string_view path) {
  // By characters of the ANSI code page: the second byte of a double-byte character may be "\".
  std::size_t name = 0;
  for (std::size_t at = 0; at < path.size(); ++at) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[at])) && at + 1 < path.size())
      ++at;
    else if (path[at] == '\\' || path[at] == '/')
      name = at + 1;
  }
  return path.substr(name);
}

ContestModule::ContestModule(const std::string& path) : path_(path), library_(LoadLibraryA(path.c_str())) {
  if (library_ == nullptr) {
    throw HostError(ExitCode::kModule, "cannot load " + path);
  }
  try {
    const std::string_view file = FileNameOf(path);
    Resolve(library_, file, "_GetInfo", exports_.get_info);
    Resolve(library_, file, "_Run", exports_.run);
    Resolve(library_, file, "_GetScore", exports_.get_score);
    Resolve(library_, file, "_AddQSO", exports_.add_qso);
    Resolve(library_, file, "_GrabNumber", exports_.grab_number);
    Resolve(library_, file, "_Release", exports_.release);
  } catch (...) {
    FreeLibrary(library_);
    throw;
  }
}

ContestModule::~ContestModule() {
  if (!keep_loaded_) {
    FreeLibrary(library_);
  }
}

}  // namespace zqthost
