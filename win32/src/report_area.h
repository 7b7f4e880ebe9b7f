#pragma once
// The report text area: a multi-line EDIT control whose new text is written when it can be seen or read.

#include <windows.h>

#include <string>

namespace zqt::win32 {

// Setting an EDIT control's text costs milliseconds under Wine, while the report changes with every QSO and a
// host may log thousands of them without letting messages run. So a new report is kept pending and written
// once, on the first message that reaches the control afterwards: a read (WM_GETTEXT, GetWindowText,
// EM_GETLINE ...), a paint, the operator's typing, or the message posted with the first pending report. A
// host that reads the area right after _AddQSO reads the new report, and the window shows the latest report
// whenever messages run. Text set by anyone else (WM_SETTEXT) replaces a pending report, as it came later.
class ReportArea {
 public:
  // Subclasses the control; it is unsubclassed when it is destroyed or when this object goes first.
  explicit ReportArea(HWND edit);
  ~ReportArea();
  ReportArea(const ReportArea&) = delete;
  ReportArea& operator=(const ReportArea&) = delete;

  // Replaces the whole text with `text` (written when the control next handles a message).
  void Show(std::string text);

 private:
  static LRESULT CALLBACK EditProc(HWND edit, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);
  // Writes the pending text unless the control already holds exactly that text.
  void Flush();
  void Unsubclass();

  HWND edit_;
  WNDPROC original_ = nullptr;
  std::string pending_;
  bool has_pending_ = false;
  bool flush_posted_ = false;
};

}  // namespace zqt::win32
