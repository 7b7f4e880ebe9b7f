#include "support/host_runner.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace zqt::test {
namespace {

// Wine's own conversions between its drive letters and Unix paths, when running under Wine.
template <typename Fn>
Fn WineFunction(const char* name) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}

std::string Quote(const std::string& arg) {
  return "\"" + arg + "\"";
}

}  // namespace

std::wstring WideFromAnsi(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(
      CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()))));
  return wide;
}

std::string AnsiFromWide(const std::wstring& wide) {
  std::string text(wide.size() * 2, '\0');
  text.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(),
                                                           static_cast<int>(wide.size()), text.data(),
                                                           static_cast<int>(text.size()), nullptr, nullptr)));
  return text;
}

std::string DosPath(const std::string& unix_path) {
  using Fn = WCHAR* (*)(const char*);
  const auto to_dos = WineFunction<Fn>("wine_get_dos_file_name");
  if (!to_dos)
    return unix_path;
  WCHAR* wide = to_dos(unix_path.c_str());
  if (!wide)
    return unix_path;
  const std::string narrow = AnsiFromWide(wide);
  HeapFree(GetProcessHeap(), 0, wide);
  return narrow;
}

std::string DriverPath(const std::string& windows_path) {
  using Fn = char* (*)(const WCHAR*);
  const auto to_unix = WineFunction<Fn>("wine_get_unix_file_name");
  if (!to_unix)
    return windows_path;
  char* unix_path = to_unix(WideFromAnsi(windows_path).c_str());
  if (!unix_path)
    return windows_path;
  std::string result(unix_path);
  HeapFree(GetProcessHeap(), 0, unix_path);
  return result;
}

std::vector<std::string> HostRun::Lines() const {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < output.size()) {
    const std::size_t end = output.find('\n', start);
    lines.push_back(output.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos)
      break;
    start = end + 1;
  }
  return lines;
}

bool HostRun::Printed(std::string_view line) const {
  for (const std::string& l : Lines()) {
    if (l == line)
      return true;
  }
  return false;
}

std::string HostRun::Value(std::string_view prefix) const {
  for (const std::string& line : Lines()) {
    if (line.starts_with(prefix))
      return line.substr(prefix.size());
  }
  return "";
}

std::vector<std::string> HostRun::ComparableLines() const {
  std::vector<std::string> lines = Lines();
  std::string last_window;
  for (std::string& line : lines) {
    if (line.starts_with("run: window=") && line != "run: window=0x0") {
      const std::string window = line.substr(12);
      line = "run: window=" + std::string(window == last_window ? "same" : "live");
      last_window = window;
    }
    if (line.starts_with("broadcast: "))
      line = "broadcast: sent";
  }
  return lines;
}

std::vector<std::string> HostRun::Reports() const {
  std::vector<std::string> reports;
  bool inside = false;
  for (const std::string& line : Lines()) {
    if (line == "end report")
      inside = false;
    if (inside)
      reports.back() += (reports.back().empty() ? "" : "\r\n") + line;
    if (line == "report:") {
      inside = true;
      reports.emplace_back();
    }
  }
  return reports;
}

std::string QsoLine(const Qso& q) {
  return "qso\t" + q.call + "\t" + q.band + "\t" + q.mode + "\t" + q.continent + "\t" + q.main_prefix + "\t" +
         q.dxcc + "\n";
}

std::vector<std::string> ReportLines(std::string_view report) {
  std::vector<std::string> lines = {"report:"};
  for (std::size_t start = 0; start < report.size();) {
    const std::size_t end = std::min(report.find("\r\n", start), report.size());
    lines.emplace_back(report.substr(start, end - start));
    start = end + 2;
  }
  lines.emplace_back("end report");
  return lines;
}

HostFixture::HostFixture(std::wstring_view driver_name) : driver_(DosPath(ZQT_DRIVER_EXE)) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  char folder[MAX_PATH] = {};
  GetTempFileNameA(temp, "zqt", 0, folder);
  DeleteFileA(folder);
  CreateDirectoryA(folder, nullptr);
  folder_ = folder;
  if (driver_name.empty())
    return;
  const std::wstring copy = WideFromAnsi(folder_) + L"\\" + std::wstring(driver_name);
  if (!CopyFileW(WideFromAnsi(driver_).c_str(), copy.c_str(), TRUE))
    throw std::runtime_error("cannot copy the driver into " + folder_);
  driver_ = AnsiFromWide(copy);
}

HostFixture::~HostFixture() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

HostRun RunCommandLine(std::string command) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0))
    throw std::runtime_error("CreatePipe failed");
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                      &startup, &process);
  CloseHandle(write_end);
  HostRun run;
  if (!started) {
    CloseHandle(read_end);
    run.output = "cannot start: " + command;
    return run;
  }
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(read_end, chunk, sizeof chunk, &got, nullptr) && got > 0)
    run.output.append(chunk, got);
  CloseHandle(read_end);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.exit_code = static_cast<int>(code);
  std::erase(run.output, '\r');
  return run;
}

HostRun HostFixture::Run(std::string_view script, const std::vector<std::string>& extra_args) const {
  const std::string script_path = folder_ + "\\script.txt";
  std::ofstream(script_path, std::ios::binary) << script;
  std::vector<std::string> args = {"--db", DriverLogPath()};
  args.insert(args.end(), extra_args.begin(), extra_args.end());
  args.insert(args.end(), {"--script", script_path});
  return RunMode(args);
}

HostRun HostFixture::RunMode(const std::vector<std::string>& args) const {
  std::string command = Quote(driver_) + " --dll " + Quote(DosPath(ZQT_MODULE_DLL)) + " --watch-boxes";
  for (const std::string& arg : args)
    command += " " + Quote(arg);
  return RunCommandLine(command);
}

std::string HostFixture::DriverLogPath() const {
  return DriverPath(folder_ + "\\log.db");
}

}  // namespace zqt::test
