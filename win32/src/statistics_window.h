#pragma once
// TfmMainForm: the always-on-top statistics window that owns the tally and shows the report. Shown, it
// restores its placement and rebuilds the tally from the log; it checks and counts the QSOs the entry points
// hand it; "Recalc Statistic" rebuilds; the close box minimises it, and a close request of another kind saves
// its placement and releases it.

#include <windows.h>

#include <functional>
#include <string_view>

#include "core/boundary_records.h"
#include "core/qso_buffer.h"
#include "core/tally.h"
#include "odbc/odbc_query.h"
#include "placement/form_storage.h"
#include "win32/compare_string_collation.h"
#include "win32/win_placement_window.h"
#include "win32/win_registry.h"
#include "win_message_pump.h"
#include "window_frame.h"
#include "window_life.h"

namespace zqt::win32 {

// What a window takes from the module: the window classes, the display's scale as the module read it at load,
// and the current-QSO buffer.
struct WindowSetting {
  WindowClasses& classes;
  int pixels_per_inch;
  QsoBuffer& buffer;
};

class TfmMainForm final : private ErrorSink {
 public:
  // Creates the native window hidden, copies data into the buffer, sets the caption and attaches the query.
  // The window's messages reach the object only once all of that is done; when a step fails, the native
  // window goes with the half-built object. `drop` lets the owner let go of the object once its window is
  // gone.
  TfmMainForm(const WindowSetting& setting, const TContestData& data, std::function<void()> drop);
  TfmMainForm(const TfmMainForm&) = delete;
  TfmMainForm& operator=(const TfmMainForm&) = delete;

  // Handles the messages of the window class.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

  HWND Handle() const { return frame_.Handle(); }
  const WindowLife& Life() const { return life_; }

  // Shows a hidden window (restore, then the rebuild); raises a visible one without changing its state.
  void Show();
  // The duplicate check of the QSO in the buffer: -1 for a duplicate, else 1.
  int CheckQSO() const { return tally_.CheckQSO(buffer_.Data()); }
  // Counts the QSO in the buffer unless it is a duplicate (-1, else 1) and rewrites the report either way.
  int AddQSO();
  // Destroys the window after the messages already queued for it, and never while a handler runs.
  void Release() { life_.Release(); }

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);
  // Runs an event handler, and shows an error it raises in the standard error box; a release waits until both
  // have returned, since the handler and the box let messages run.
  void Dispatch(const std::function<void()>& handler);
  // The action "Recalc Statistic", which runs only while it is enabled: lets waiting messages run, disables
  // itself, rebuilds the tally and shows the report, and enables itself again however the rebuild ends.
  void RecalcStatistic();
  void SetRecalcEnabled(bool enabled);
  // Replaces the text area's text with the report (written at once for a reader, else within 50 ms).
  void ShowStatistic() { frame_.Report().Show(tally_.ShowStatistic()); }
  // The close-query step with the placement store's save; true when closing is allowed.
  bool CloseQuery();
  // Errors of the placement store's restore and save go to the standard error box.
  void ShowError(std::string_view message) override;

  QsoBuffer& buffer_;
  CompareStringCollation collation_;
  Tally tally_;
  OdbcQuery log_query_;
  WinMessagePump pump_;
  WindowLife life_;
  bool recalc_enabled_ = true;
  WindowFrame frame_;
  // The placement store and what it works on; declared last so that it goes first.
  WinRegistry registry_;
  WinPlacementWindow placement_window_;
  TFormStorage placement_store_;
};

}  // namespace zqt::win32
