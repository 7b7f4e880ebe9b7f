// Any bytes read as ADIF, and through the format detection, give a well-formed result and no crash.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "log_files/adif_reader.h"
#include "log_files/log_reader.h"
#include "read_result_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zqt::log_files::fuzzing::CheckReadResult(zqt::log_files::ReadAdif(text));
  zqt::log_files::fuzzing::CheckReadResult(zqt::log_files::ReadLog(text));
  return 0;
}
