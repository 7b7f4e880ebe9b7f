#pragma once
// TfmMainForm: the always-on-top statistics window that owns the tally and shows the report.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "core/qso_buffer.h"
#include "core/tally.h"
#include "odbc/odbc_query.h"
#include "placement/form_storage.h"
#include "report_area.h"
#include "win32/compare_string_collation.h"
#include "win32/win_placement_window.h"
#include "win32/win_registry.h"
#include "win_handles.h"
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

  // Unregisters the window classes of the module instance; a class that still has windows stays.
  static void UnregisterClasses(HINSTANCE instance);

  // Shows a hidden window (restore, then FormShow's rebuild); raises a visible one without changing its
  // state.
  void Show();
  int CheckQSO(bool commit) { return tally_.CheckQSO(buffer_.Data(), commit); }
  void SortWorked() { tally_.SortWorked(); }
  // Replaces the text area's text with the report (written when the area next handles a message).
  void ShowStatistic();
  // Destroys the window after the messages already queued for it, and never while a rebuild is on the stack.
  void Release();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  static void RegisterClasses(HINSTANCE instance);
  static UniqueWindow CreateNativeWindow(HINSTANCE instance);
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);
  // Runs an event handler; an error it raises is shown in the standard error box.
  void Dispatch(const std::function<void()>& handler);

  void CreateControls(HINSTANCE instance);
  void Layout();
  void FormShow();
  void RunRecalcStatistic();
  void RecalcStatisticExecute();
  void SetRecalcEnabled(bool enabled);
  void FormCloseQuery(bool& can_close);
  void FormClose();
  // The close-query step with the placement store's save; true when closing is allowed.
  bool CloseQuery();
  void CloseRequest();
  void Destroy();
  void EndBusy();
  // Errors of the placement store's restore and save go to the standard error box.
  void ShowError(std::string_view message) override;

  QsoBuffer& buffer_;
  CompareStringCollation collation_;
  Tally tally_;
  OdbcQuery log_query_;
  WinMessagePump pump_;
  UniqueFont form_font_;
  UniqueFont report_font_;
  // The native window and its controls; the window destroys the controls with itself.
  UniqueWindow window_;
  HWND report_edit_ = nullptr;
  // Declared after the window, so that it goes first and hands the text area its own procedure back.
  std::optional<ReportArea> report_area_;
  HWND button_panel_ = nullptr;
  HWND recalc_button_ = nullptr;
  int button_right_gap_ = 0;
  bool recalc_enabled_ = true;
  bool showing_ = false;
  bool released_ = false;
  bool release_pending_ = false;
  int busy_ = 0;  // show handling or the action on the stack
  bool destroying_ = false;
  // The placement store and what it works on; declared last so that it goes first.
  WinRegistry registry_;
  std::optional<WinPlacementWindow> placement_window_;
  std::optional<TFormStorage> placement_store_;
};

}  // namespace zqt::win32
