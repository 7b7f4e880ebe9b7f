#include "window_life.h"

namespace zqt::win32 {

WindowLife::Handler::~Handler() {
  // The last handler to return lets a release that waited for it go ahead.
  if (--life_.handlers_ == 0 && life_.state_ == State::kReleased)
    PostMessageA(life_.window_, kReleaseMessage, 0, 0);
}

void WindowLife::Release() {
  if (state_ != State::kOpen)
    return;
  state_ = State::kReleased;
  PostMessageA(window_, kReleaseMessage, 0, 0);
}

void WindowLife::Gone() {
  state_ = State::kGone;
  window_ = nullptr;
  if (handlers_ == 0) {
    // The owner's letting go destroys this object with the function: call a copy.
    const std::function<void()> drop = drop_;
    drop();
  }
}

}  // namespace zqt::win32
