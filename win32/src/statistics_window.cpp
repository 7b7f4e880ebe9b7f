#include "statistics_window.h"

#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/rebuild.h"
#include "error_box.h"

namespace zqt::win32 {
namespace {

constexpr WPARAM kCloseCommand = 0xF060;

}  // namespace

TfmMainForm::TfmMainForm(const WindowSetting& setting, const TContestData& data, std::function<void()> drop)
    : buffer_(setting.buffer),
      tally_(collation_),
      log_query_("LogQuery", data.Connection, OdbcQuery::kBlockRows),
      life_(std::move(drop)),
      frame_(setting.classes, setting.pixels_per_inch),
      placement_window_(frame_.Handle(), setting.pixels_per_inch),
      placement_store_(registry_, placement_window_, *this) {
  buffer_.CopyIn(&data);
  frame_.SetCaption(std::string(TextView(buffer_.Data().CaptionPrefix)) + " in " +
                    WindowFrame::kInitialCaption);
  life_.Attach(frame_.Handle());
  // Messages reach this object only once it is whole: until now they got the default handling, so a close
  // request during the steps above destroyed the window, which makes the construction fail here.
  if (!IsWindow(frame_.Handle()))
    throw std::runtime_error("The statistics window was closed while it was being created");
  SetWindowLongPtrA(frame_.Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TfmMainForm::Dispatch(const std::function<void()>& handler) {
  const WindowLife::Handler run(life_);
  try {
    handler();
  } catch (const std::exception& e) {
    ShowErrorBox(frame_.Handle(), e.what());
  } catch (...) {
    ShowErrorBox(frame_.Handle(), "Unknown error");
  }
}

void TfmMainForm::Show() {
  const HWND window = frame_.Handle();
  if (IsWindowVisible(window)) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (life_.HandlerRuns())
    return;  // a nested request while this show is under way
  // The placement store restores while the window is still hidden, then the show handling rebuilds the tally.
  Dispatch([this] { placement_store_.OnShow([this] { RecalcStatistic(); }); });
  if (life_.IsOpen())
    ShowWindow(window, placement_window_.ShowCommand());
}

int TfmMainForm::AddQSO() {
  const int result = tally_.CountQSO(buffer_.Data());
  ShowStatistic();
  return result;
}

void TfmMainForm::RecalcStatistic() {
  if (!recalc_enabled_)
    return;
  pump_.ProcessMessages();
  SetRecalcEnabled(false);
  try {
    RecalcFromLog(tally_, buffer_.Data(), log_query_, pump_, [this] { frame_.Report().Show({}); });
    ShowStatistic();
  } catch (...) {
    SetRecalcEnabled(true);
    throw;
  }
  SetRecalcEnabled(true);
}

void TfmMainForm::SetRecalcEnabled(bool enabled) {
  recalc_enabled_ = enabled;
  frame_.SetButtonEnabled(enabled);
}

bool TfmMainForm::CloseQuery() {
  // The log's statement lives as long as a rebuild's cursor, which frees it however the rebuild ends. One
  // asked here while a rebuild lets messages run still counts the whole log: the window may stay open, and a
  // rebuild cut short would leave it showing part of the score.
  return placement_store_.OnCloseQuery([] { return true; });
}

void TfmMainForm::ShowError(std::string_view message) {
  ShowErrorBox(life_.IsDestroying() ? nullptr : frame_.Handle(), message);
}

LRESULT TfmMainForm::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (const auto result = frame_.HandleLayoutMessage(msg, wparam, lparam))
    return *result;
  const HWND window = frame_.Handle();
  switch (msg) {
    case WM_SYSCOMMAND:
      // Exactly the close command minimises; any other code, even with low bits set, goes the standard way.
      if (wparam == kCloseCommand) {
        ShowWindow(window, SW_MINIMIZE);
        return 0;
      }
      break;
    case WM_CLOSE:
      // The close request: the close-query step, then the window is hidden at once and released.
      Dispatch([this, window] {
        if (CloseQuery()) {
          ShowWindow(window, SW_HIDE);
          life_.Release();
        }
      });
      return 0;
    case WM_QUERYENDSESSION: {
      // The system asks whether the session may end: the close-query step alone; the window stays usable.
      bool can_close = false;
      Dispatch([&] { can_close = CloseQuery(); });
      return can_close ? TRUE : FALSE;
    }
    case WM_DESTROY:
      life_.Destroying();
      Dispatch([this] { placement_store_.OnDestroy(); });
      return 0;
    case WM_COMMAND:
      if (lparam == 0 && LOWORD(wparam) == WindowFrame::kDxccMenuItem)
        return 0;  // the "DXCC" item has no command
      if (frame_.IsButton(reinterpret_cast<HWND>(lparam)) && HIWORD(wparam) == BN_CLICKED) {
        Dispatch([this] { RecalcStatistic(); });
        return 0;
      }
      break;
    case WindowLife::kReleaseMessage:
      // Destruction runs through WM_NCDESTROY, which hands the window back and lets the owner drop this
      // object.
      if (life_.MayBeDestroyed())
        DestroyWindow(window);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, msg, wparam, lparam);
}

LRESULT CALLBACK TfmMainForm::WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* form = reinterpret_cast<TfmMainForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!form)
    return DefWindowProcA(hwnd, msg, wparam, lparam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    form->frame_.Detach();  // the system is destroying it
    const LRESULT result = DefWindowProcA(hwnd, msg, wparam, lparam);
    // The owner may let the object go now: nothing of it runs after this.
    form->life_.Gone();
    return result;
  }
  try {
    return form->HandleMessage(msg, wparam, lparam);
  } catch (...) {
    return DefWindowProcA(hwnd, msg, wparam, lparam);
  }
}

}  // namespace zqt::win32
