#include "report_area.h"

#include <stdexcept>
#include <utility>

namespace zqt::win32 {
namespace {

// Posted to the control with the first pending report, so that it is written once messages run.
constexpr UINT kFlushMessage = WM_APP + 0x101;

}  // namespace

ReportArea::ReportArea(HWND edit) : edit_(edit) {
  SetWindowLongPtrA(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReportArea::EditProc)));
  if (original_ == nullptr) {
    SetWindowLongPtrA(edit_, GWLP_USERDATA, 0);
    throw std::runtime_error("The statistics window's text area could not be set up");
  }
}

ReportArea::~ReportArea() {
  Unsubclass();
}

void ReportArea::Unsubclass() {
  if (edit_ == nullptr)
    return;
  SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  SetWindowLongPtrA(edit_, GWLP_USERDATA, 0);
  edit_ = nullptr;
}

void ReportArea::Show(std::string text) {
  pending_ = std::move(text);
  has_pending_ = true;
  if (!flush_posted_)
    flush_posted_ = PostMessageA(edit_, kFlushMessage, 0, 0) != FALSE;
}

void ReportArea::Flush() {
  if (!has_pending_)
    return;
  has_pending_ = false;
  // The same text again (a duplicate QSO, an unchanged recount) is not written: nothing would change but the
  // cost. Anything the operator typed makes the texts differ, and the report then replaces it.
  const auto length = static_cast<std::size_t>(CallWindowProcA(original_, edit_, WM_GETTEXTLENGTH, 0, 0));
  if (length == pending_.size()) {
    std::string shown(length + 1, '\0');
    const auto copied = static_cast<std::size_t>(
        CallWindowProcA(original_, edit_, WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(shown.data())));
    if (copied == length && shown.compare(0, length, pending_) == 0)
      return;
  }
  CallWindowProcA(original_, edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pending_.c_str()));
}

LRESULT ReportArea::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  const HWND edit = edit_;
  const WNDPROC original = original_;
  switch (msg) {
    case kFlushMessage:
      flush_posted_ = false;
      Flush();
      return 0;
    case WM_SETTEXT:
      has_pending_ = false;
      break;
    case WM_DESTROY:
      break;  // going away: nothing left to show
    case WM_NCDESTROY:
      Unsubclass();
      break;
    default:
      Flush();
      break;
  }
  return CallWindowProcA(original, edit, msg, wparam, lparam);
}

LRESULT CALLBACK ReportArea::EditProc(HWND edit, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* area = reinterpret_cast<ReportArea*>(GetWindowLongPtrA(edit, GWLP_USERDATA));
  // Every message reaches the control, with the pending report written first. No error leaves a window
  // procedure: should the comparison's copy fail, the message still goes to the control.
  try {
    return area->HandleMessage(msg, wparam, lparam);
  } catch (...) {
    return CallWindowProcA(area->original_, edit, msg, wparam, lparam);
  }
}

}  // namespace zqt::win32
