#include "report_area.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace zqt::win32 {
namespace {

// The control's own timers (scrolling while selecting with the mouse) use small numbers.
constexpr UINT_PTR kWriteTimer = 0x5A51;
constexpr UINT kWriteDelayMs = 50;

// What reads the text, shows it, or changes it at the operator's hand or another program's: the pending
// report is written first.
constexpr std::array kTextUsers = {
    UINT{WM_GETTEXT},     UINT{WM_GETTEXTLENGTH}, UINT{EM_GETLINE},      UINT{EM_GETLINECOUNT},
    UINT{EM_LINELENGTH},  UINT{EM_LINEINDEX},     UINT{EM_LINEFROMCHAR}, UINT{EM_GETHANDLE},
    UINT{EM_GETSEL},      UINT{EM_SETSEL},        UINT{EM_REPLACESEL},   UINT{EM_UNDO},
    UINT{WM_UNDO},        UINT{WM_COPY},          UINT{WM_CUT},          UINT{WM_PASTE},
    UINT{WM_CLEAR},       UINT{WM_KEYDOWN},       UINT{WM_CHAR},         UINT{WM_IME_CHAR},
    UINT{WM_LBUTTONDOWN}, UINT{WM_LBUTTONDBLCLK}, UINT{WM_RBUTTONDOWN},  UINT{WM_CONTEXTMENU},
    UINT{WM_PAINT},       UINT{WM_PRINT},         UINT{WM_PRINTCLIENT}};

bool UsesText(UINT msg) {
  return std::find(kTextUsers.begin(), kTextUsers.end(), msg) != kTextUsers.end();
}

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
  if (timer_set_)
    KillTimer(edit_, kWriteTimer);
  SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  SetWindowLongPtrA(edit_, GWLP_USERDATA, 0);
  edit_ = nullptr;
}

void ReportArea::Show(std::string text) {
  if (edit_ == nullptr)
    return;  // the control is gone
  pending_ = std::move(text);
  has_pending_ = true;
  if (!timer_set_)
    timer_set_ = SetTimer(edit_, kWriteTimer, kWriteDelayMs, nullptr) != 0;
  if (!timer_set_)
    Flush();  // without a timer the report could wait for a reader indefinitely
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
    case WM_TIMER:
      if (wparam != kWriteTimer)
        break;
      KillTimer(edit_, kWriteTimer);
      timer_set_ = false;
      Flush();
      return 0;
    case WM_SETTEXT:
      has_pending_ = false;
      break;
    case WM_NCDESTROY:
      Unsubclass();
      break;
    default:
      if (UsesText(msg))
        Flush();
      break;
  }
  return CallWindowProcA(original, edit, msg, wparam, lparam);
}

LRESULT CALLBACK ReportArea::EditProc(HWND edit, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* area = reinterpret_cast<ReportArea*>(GetWindowLongPtrA(edit, GWLP_USERDATA));
  // Every message reaches the control, after the pending report where the message uses the text. No error
  // leaves a window procedure: should the comparison's copy fail, the message still goes to the control.
  try {
    return area->HandleMessage(msg, wparam, lparam);
  } catch (...) {
    return CallWindowProcA(area->original_, edit, msg, wparam, lparam);
  }
}

}  // namespace zqt::win32
