#pragma once
// Where errors caught in the placement store's hooks go: the window shows them in its standard error box.

#include <string_view>

namespace zqt {

class ErrorSink {
 public:
  virtual ~ErrorSink() = default;
  virtual void ShowError(std::string_view text) = 0;
};

}  // namespace zqt
