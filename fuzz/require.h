#pragma once
// A fuzz target's check: a breach says what failed and aborts, so that libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

namespace zqt::fuzzing {

inline void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
  }
}

}  // namespace zqt::fuzzing
