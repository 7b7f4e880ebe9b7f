#include "calls/call_area.h"

#include <array>

namespace zqt::calls {

namespace {

constexpr std::array<std::string_view, 4> kCallAreaEntities = {"JA", "K", "VE", "VK"};

}  // namespace

std::string MainPrefix(std::string_view entity_prefix, std::string_view effective_prefix) {
  const std::size_t digit = effective_prefix.find_last_of("0123456789");
  for (const std::string_view entity : kCallAreaEntities) {
    if (entity_prefix != entity)
      continue;
    std::string area(entity);
    if (digit != std::string_view::npos)
      area += effective_prefix[digit];
    return area;
  }
  return std::string(digit == std::string_view::npos ? effective_prefix
                                                     : effective_prefix.substr(0, digit + 1));
}

}  // namespace zqt::calls
