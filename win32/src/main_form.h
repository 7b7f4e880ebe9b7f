#pragma once
// TfmMainForm: the always-on-top statistics window that owns the tally and shows the report.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "core/form_layout.h"
#include "core/qso_buffer.h"
#include "core/tally.h"
#include "odbc/odbc_query.h"
#include "placement/form_storage.h"
#include "report_area.h"
#include "win32/compare_string_collation.h"
#include "win32/win_placement_window.h"
#include "win32/win_registry.h"
#include "win32/win_handles.h"
#include "win_message_pump.h"

namespace zqt::win32 {

class TfmMainForm final : private ErrorSink {
 public:
  static constexpr const char* kClassName = "TfmMainForm";
  static constexpr const char* kInitialCaption = "ZQT RTTY Contest";

  // Creates the native window hidden, copies data into the buffer, sets the caption and attaches the query.
  // The window's messages reach the object only once all of that is done; when a step fails, the native
  // window goes with the half-built object.
  TfmMainForm(HINSTANCE instance, QsoBuffer& buffer, const TContestData& data);
  ~TfmMainForm() override = default;
  TfmMainForm(const TfmMainForm&) = delete;
  TfmMainForm& operator=(const TfmMainForm&) = delete;

  HWND Handle() const { return window_.get(); }
  // Whether this is the window the entry points reach: neither released nor destroyed.
  bool IsOpen() const { return life_ == Life::kOpen; }
  // Whether the native window is gone and no handler runs in this object any more.
  bool MayBeDropped() const { return life_ == Life::kGone && handlers_running_ == 0; }

  // Unregisters the window classes of the module instance; a class that still has windows stays.
  static void UnregisterClasses(HINSTANCE instance);

  // Shows a hidden window (restore, then FormShow's rebuild); raises a visible one without changing its
  // state.
  void Show();
  int CheckQSO(bool commit) { return tally_.CheckQSO(buffer_.Data(), commit); }
  void SortWorked() { tally_.SortWorked(); }
  // Replaces the text area's text with the report (written at once for a reader, else within 50 ms).
  void ShowStatistic();
  // Destroys the window after the messages already queued for it, and never while a rebuild is on the stack.
  void Release();

 private:
  // Open; released by _Release or a close request (destroyed once its queued messages have run and no
  // handler runs); being destroyed; gone with its native window.
  enum class Life { kOpen, kReleased, kDestroying, kGone };
  // Handlers let messages run, the host's included (the rebuild's pumps, the error box's loop): while one of
  // them runs, a release waits and the object outlives its native window.
  class HandlerRun {
   public:
    explicit HandlerRun(TfmMainForm& form) : form_(form) { ++form_.handlers_running_; }
    ~HandlerRun();
    HandlerRun(const HandlerRun&) = delete;
    HandlerRun& operator=(const HandlerRun&) = delete;

   private:
    TfmMainForm& form_;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  static void RegisterClasses(HINSTANCE instance);
  static UniqueWindow CreateNativeWindow(HINSTANCE instance, const LayoutBox& box);
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);
  // Runs an event handler, and shows an error it raises in the standard error box; a release waits until both
  // have returned, since the handler and the box let messages run.
  void Dispatch(const std::function<void()>& handler);

  void CreateControls(HINSTANCE instance);
  // Places the panel, the button and the text area in the client area at the current scale.
  void Layout();
  // Grows the window where the four report lines would not fit its text area at the design size.
  void FitReportLines();
  // Moves the window just enough to lie wholly inside the work area of the monitor that holds it.
  void KeepOnScreen();
  // WM_DPICHANGED: the suggested rectangle, and the layout and fonts at the new scale.
  void ChangeScale(int pixels_per_inch, const RECT& suggested);
  void UseFonts(UniqueFont form_font, UniqueFont report_font);
  void FormShow();
  void RunRecalcStatistic();
  void RecalcStatisticExecute();
  void SetRecalcEnabled(bool enabled);
  void FormCloseQuery(bool& can_close);
  void FormClose();
  // The close-query step with the placement store's save; true when closing is allowed.
  bool CloseQuery();
  void Destroy();
  // Errors of the placement store's restore and save go to the standard error box.
  void ShowError(std::string_view message) override;

  QsoBuffer& buffer_;
  CompareStringCollation collation_;
  Tally tally_;
  OdbcQuery log_query_;
  WinMessagePump pump_;
  Life life_ = Life::kOpen;
  int handlers_running_ = 0;
  // The scale the window is laid out at: the module's pixels per inch until WM_DPICHANGED gives another.
  int pixels_per_inch_;
  UniqueFont form_font_;
  UniqueFont report_font_;
  // The native window and its controls; the window destroys the controls with itself.
  UniqueWindow window_;
  HWND report_edit_ = nullptr;
  // Declared after the window, so that it goes first and hands the text area its own procedure back.
  std::optional<ReportArea> report_area_;
  HWND button_panel_ = nullptr;
  HWND recalc_button_ = nullptr;
  // The button's distance to the panel's right edge, at the module's own scale.
  int button_right_gap_ = 0;
  bool recalc_enabled_ = true;
  // The placement store and what it works on; declared last so that it goes first.
  WinRegistry registry_;
  std::optional<WinPlacementWindow> placement_window_;
  std::optional<TFormStorage> placement_store_;
};

}  // namespace zqt::win32
