#pragma once
// The report text area: a multi-line EDIT control whose new text is written when it is read or seen, and
// otherwise at most every 50 ms.

#include <windows.h>

#include <string>

namespace zqt::win32 {

// Setting an EDIT control's text costs milliseconds under Wine, while the report changes with every QSO and a
// host may log thousands of them, letting messages run after each or not at all. So a new report is kept
// pending and written by a timer 50 ms after the first pending report, or at once when anything reads the
// text (WM_GETTEXT, GetWindowText, EM_GETLINE, a copy ...), the control paints, or the operator types into
// it. A host that reads the area right after _AddQSO reads the new report, and once messages run the window
// shows a report at most one timer period old. Messages that only pass by (pointer moves, hit tests, the
// caret) write nothing. Text set by anyone else (WM_SETTEXT) replaces a pending report, as it came later.
class ReportArea {
 public:
  // Subclasses the control; it is unsubclassed when it is destroyed or when this object goes first.
  explicit ReportArea(HWND edit);
  ~ReportArea();
  ReportArea(const ReportArea&) = delete;
  ReportArea& operator=(const ReportArea&) = delete;

  // Replaces the whole text with `text` (written as described above).
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
  bool timer_set_ = false;
};

}  // namespace zqt::win32
