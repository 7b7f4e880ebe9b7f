#pragma once
// The collation the module uses on the platform the tests run on: CompareStringA under Windows (Wine), the
// C++ locale natively.

#include "core/collation.h"

namespace zqt::test {

const Collation& UserCollation();

}  // namespace zqt::test
