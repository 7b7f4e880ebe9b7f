#pragma once
// The module's message pump over the thread's Win32 message queue.

#include "core/message_pump.h"

namespace zqt::win32 {

class WinMessagePump final : public MessagePump {
 public:
  // Removes and dispatches every waiting message until none is left. A quit request is put back for the
  // host's own loop and ends the processing.
  void ProcessMessages() override;
};

}  // namespace zqt::win32
