// Any bytes read as Cabrillo give a well-formed result and no crash.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "logformats/cabrillo_reader.h"
#include "read_result_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zqt::logformats::fuzzing::CheckReadResult(zqt::logformats::ReadCabrillo(text));
  return 0;
}
