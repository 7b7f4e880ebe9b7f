// Any bytes read as ADIF, and through the format detection, give a well-formed result and no crash.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "logformats/adif_reader.h"
#include "logformats/log_reader.h"
#include "read_result_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zqt::logformats::fuzzing::CheckReadResult(zqt::logformats::ReadAdif(text));
  zqt::logformats::fuzzing::CheckReadResult(zqt::logformats::ReadLog(text));
  return 0;
}
