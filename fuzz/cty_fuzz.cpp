// Any bytes parsed as a country file either fail with LogFormatError or give a database that resolves any
// call; the bytes are also resolved as a call against a fixed small database.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calls/cty_database.h"
#include "log_files/log_format_error.h"

namespace {

using zqt::calls::CtyDatabase;
using zqt::calls::Resolution;

constexpr std::string_view kFixed =
    "Japan:                    25:  45:  AS:   36.40:  -138.38:    -9.0:  JA:\n"
    "    7J,7K,7L,7M,7N,JA,JE,JR,=7N2DAB/LH;\n"
    "United States of America: 05:  08:  NA:   37.60:    91.87:     5.0:  K:\n"
    "    AA,K,N,W,=N2NL/MM(7),K6(3)[6];\n"
    "Hawaii:                   31:  61:  OC:   21.12:   157.48:    10.0:  KH6:\n"
    "    KH6,KH7,=AA2TT;\n"
    "European Turkey:          20:  39:  EU:   41.02:   -28.97:    -2.0:  *TA1:\n"
    "    TA1,=TA2ZZ{EU}<41.0/-29.0>~-2.0~;\n"
    "Turkey:                   20:  39:  AS:   39.18:   -35.65:    -2.0:  TA:\n"
    "    TA,TB,=TA1ZZ;\n";

void CheckResolution(const Resolution& resolution) {
  if (resolution.dxcc_prefix.empty() != resolution.continent.empty() ||
      resolution.dxcc_prefix.empty() != resolution.entity.empty()) {
    std::abort();
  }
}

void ResolveSamples(const CtyDatabase& cty, std::string_view text) {
  for (const std::string_view call : {"JA1ABC/3", "W1AW/VE3", "KH6/K1ABC", "K1ABC/MM", "", "/", "7N2UQC"}) {
    CheckResolution(cty.Resolve(call));
  }
  for (std::size_t start = 0; start < text.size(); start += 16)
    CheckResolution(cty.Resolve(text.substr(start, 16)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static const CtyDatabase fixed = CtyDatabase::Parse(kFixed);
  CheckResolution(fixed.Resolve(text));
  try {
    ResolveSamples(CtyDatabase::Parse(text), text);
  } catch (const zqt::log_files::LogFormatError&) {
    // A faulty file is reported, not crashed on.
  }
  return 0;
}
