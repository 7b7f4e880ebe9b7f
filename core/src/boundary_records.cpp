#include "core/boundary_records.h"

#include <algorithm>
#include <cstring>

namespace zqt {

void WriteText(ZqtText& slot, std::string_view text) {
  const std::size_t length = std::min<std::size_t>(text.size(), 255);
  slot[0] = static_cast<std::uint8_t>(length);
  if (length > 0)  // an empty view may hold no address at all
    std::memcpy(slot + 1, text.data(), length);
}

}  // namespace zqt
