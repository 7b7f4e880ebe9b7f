#pragma once
// Processes the messages waiting in the thread's queue, as the rebuild does before and after its query opens.

#include "core/query.h"

namespace zqt::win32 {

class WinMessagePump final : public MessagePump {
 public:
  // Removes and dispatches every waiting message until none is left. A quit request is put back for the
  // host's own loop and ends the processing.
  void ProcessMessages() override;
};

}  // namespace zqt::win32
