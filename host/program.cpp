#include "program.h"

#include <exception>
#include <vector>

#include "executable_path.h"
#include "host_error.h"
#include "module_loader.h"

namespace zqthost {

int RunProgram(int argc, char** argv, const ProgramBody& body) {
  Console console;
  try {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return body(console, args);
  } catch (const HostError& error) {
    console.Line(std::string("error: ") + error.what());
    return static_cast<int>(error.code());
  } catch (const std::exception& error) {
    console.Line(std::string("error: ") + error.what());
    return static_cast<int>(ExitCode::kFailure);
  }
}

std::string ModulePath(const std::string& dll) {
  if (!dll.empty()) {
    return dll;
  }
  const std::string exe = ExecutablePath();
  return exe.substr(0, exe.size() - FileNameOf(exe).size()) + "ZQTRTTYContest.dll";
}

}  // namespace zqthost
