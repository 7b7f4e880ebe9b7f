#pragma once
// Lets the messages waiting in the thread's queue run, as the rebuild does before and after its query opens.

namespace zqt {

class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void ProcessMessages() = 0;
};

}  // namespace zqt
