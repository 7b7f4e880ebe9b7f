#include "support/sqlite_database.h"

#include <random>
#include <stdexcept>
#include <system_error>

namespace zqt::test {

namespace {

std::string UniqueName() {
  std::random_device random;
  std::uniform_int_distribution<unsigned long long> digits;
  return "zqt-odbc-" + std::to_string(digits(random)) + ".db";
}

#ifdef _WIN32
// Wine's kernel32 maps a Windows path to the Unix path that the Linux driver opens; on Windows itself the
// driver takes the Windows path.
std::string DriverPathOf(const std::filesystem::path& file) {
  using UnixName = char*(__cdecl*)(const wchar_t*);
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const FARPROC proc = kernel ? GetProcAddress(kernel, "wine_get_unix_file_name") : nullptr;
  if (proc == nullptr) {
    return file.string();
  }
  const auto unix_name = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(proc));
  char* name = unix_name(file.wstring().c_str());
  if (name == nullptr) {
    throw std::runtime_error("No Unix path for " + file.string());
  }
  std::string path(name);
  HeapFree(GetProcessHeap(), 0, name);
  return path;
}
#else
std::string DriverPathOf(const std::filesystem::path& file) {
  return file.string();
}
#endif

}  // namespace

TempDatabase::TempDatabase()
    : file_(std::filesystem::temp_directory_path() / UniqueName()), driver_path_(DriverPathOf(file_)) {}

TempDatabase::~TempDatabase() {
  std::error_code ignored;
  std::filesystem::remove(file_, ignored);
}

SqliteConnection::SqliteConnection(const TempDatabase& database, std::string_view options)
    : OdbcConnection(Engine::kSqlite,
                     "DRIVER=SQLite3;Database=" + database.DriverPath() + std::string(options)) {}

}  // namespace zqt::test
