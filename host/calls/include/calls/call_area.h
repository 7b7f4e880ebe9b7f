#pragma once
// The main prefix (call area) of a station.

#include <string>
#include <string_view>

namespace zqt::calls {

// For the entities whose call areas count ("JA", "K", "VE", "VK") the entity prefix followed by the last
// digit of the effective prefix: 7N2 gives JA2, N6 gives K6, VJ3 gives VK3. For any other entity, and for
// an unknown one, the effective prefix up to and including its last digit: DL1 gives DL1, VP2E gives VP2.
std::string MainPrefix(std::string_view entity_prefix, std::string_view effective_prefix);

}  // namespace zqt::calls
