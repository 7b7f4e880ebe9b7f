#pragma once
// The lifetime of one statistics window. It is open until it is released (by _Release or a close request);
// then it is destroyed once the messages already queued for it have run and no handler of it runs; and the
// object itself may go once its native window is gone and no handler runs in it. Handlers let messages run,
// the host's included (the rebuild's pumps, the error box's loop), so a release, or the host destroying the
// window itself, can arrive inside one.

#include <windows.h>

#include <functional>

namespace zqt::win32 {

class WindowLife {
 public:
  // The window's own message that destroys it once it may go.
  static constexpr UINT kReleaseMessage = WM_APP + 0x100;

  // `drop` lets the owner let go of the object; it is called from the window's last message, after which
  // nothing of the object runs.
  explicit WindowLife(std::function<void()> drop) : drop_(std::move(drop)) {}
  WindowLife(const WindowLife&) = delete;
  WindowLife& operator=(const WindowLife&) = delete;

  // The native window that the release message goes to.
  void Attach(HWND window) { window_ = window; }

  // Whether this is the window the entry points reach: neither released nor destroyed.
  bool IsOpen() const { return state_ == State::kOpen; }
  // Whether the native window is gone and no handler runs in the object any more.
  bool MayBeDropped() const { return state_ == State::kGone && handlers_ == 0; }
  bool HandlerRuns() const { return handlers_ > 0; }

  // A handler runs while this lives.
  class Handler {
   public:
    explicit Handler(WindowLife& life) : life_(life) { ++life_.handlers_; }
    ~Handler();
    Handler(const Handler&) = delete;
    Handler& operator=(const Handler&) = delete;

   private:
    WindowLife& life_;
  };

  // Releases an open window: its release message is queued behind the messages already waiting.
  void Release();
  // The release message arrived: true when the window is to be destroyed now.
  bool MayBeDestroyed() const { return state_ == State::kReleased && handlers_ == 0; }
  void Destroying() { state_ = State::kDestroying; }
  bool IsDestroying() const { return state_ == State::kDestroying; }
  // The native window is gone; the owner lets go of the object unless a handler still runs in it, in which
  // case it does so later.
  void Gone();

 private:
  enum class State { kOpen, kReleased, kDestroying, kGone };

  std::function<void()> drop_;
  HWND window_ = nullptr;
  State state_ = State::kOpen;
  int handlers_ = 0;
};

}  // namespace zqt::win32
