#pragma once
// A message pump for tests: counts the rebuild's calls and can look at the state at each one.

#include <functional>

#include "core/message_pump.h"

namespace zqt::test {

class CountingPump final : public MessagePump {
 public:
  void ProcessMessages() override {
    ++calls;
    if (on_call)
      on_call();
  }

  int calls = 0;
  std::function<void()> on_call;
};

}  // namespace zqt::test
