#pragma once
// The host's failure: the text printed after "error: " and the process exit code that goes with it.

#include <stdexcept>
#include <string>

namespace zqthost {

enum class ExitCode : int {
  kFailure = 1,
  kUsage = 2,
  kModule = 3,
  kOdbc = 4,
  kWindowStuck = 5,
};

class HostError : public std::runtime_error {
 public:
  HostError(ExitCode code, const std::string& text) : std::runtime_error(text), code_(code) {}
  ExitCode code() const { return code_; }

 private:
  ExitCode code_;
};

}  // namespace zqthost
