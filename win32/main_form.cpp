#include "win32/main_form.h"

#include <exception>
#include <string>

#include "core/rebuild.h"
#include "win32/error_box.h"
#include "win32/host_process.h"
#include "win32/module_state.h"
#include "win32/recalc_button.h"

namespace zqt::win32 {
namespace {

// Design layout at 96 dots per inch.
constexpr int kDesignLeft = 1052;
constexpr int kDesignTop = 152;
constexpr int kDesignWidth = 268;
constexpr int kDesignHeight = 138;
constexpr int kPanelHeight = 23;
constexpr int kButtonLeft = 63;
constexpr int kButtonTop = 1;
constexpr int kButtonWidth = 195;
constexpr int kButtonHeight = 22;

constexpr UINT kReleaseMessage = WM_APP + 0x100;
constexpr WPARAM kCloseCommand = 0xF060;
constexpr UINT_PTR kDxccMenuItem = 100;
constexpr UINT_PTR kButtonId = 1;
constexpr const char* kPanelClass = "TPanel";

TfmMainForm* FormOf(HWND hwnd) {
  return reinterpret_cast<TfmMainForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

HMENU MakeMainMenu() {
  HMENU menu = CreateMenu();
  HMENU windows = CreatePopupMenu();
  AppendMenuA(windows, MF_STRING, kDxccMenuItem, "DXCC");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(windows), "Windows");
  return menu;
}

}  // namespace

void TfmMainForm::RegisterClasses(HINSTANCE instance) {
  // Both classes paint the button-face colour; registered once per module instance.
  const auto register_class = [instance](const char* name, WNDPROC procedure) {
    WNDCLASSEXA window_class{};
    if (GetClassInfoExA(instance, name, &window_class))
      return;
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = name;
    RegisterClassExA(&window_class);
  };
  register_class(kClassName, WindowProc);
  register_class(kPanelClass, PanelProc);
}

TfmMainForm::TfmMainForm(HINSTANCE instance, QsoBuffer& buffer, const TContestData& data)
    : buffer_(buffer),
      tally_(UserCollation()),
      LogQuery("LogQuery", data.Connection),
      form_font_(MakeFont("MS Sans Serif", 11, DEFAULT_CHARSET)),
      memo_font_(MakeFont("Courier New", 11, RUSSIAN_CHARSET)) {
  RegisterClasses(instance);
  hwnd_ =
      CreateWindowExA(WS_EX_TOPMOST, kClassName, kInitialCaption,
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, kDesignLeft,
                      kDesignTop, kDesignWidth, kDesignHeight, nullptr, MakeMainMenu(), instance, nullptr);
  if (!hwnd_)
    throw std::runtime_error("The statistics window could not be created");
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  CreateControls(instance);

  buffer_.CopyIn(&data);
  const std::string caption =
      std::string(TextView(buffer_.Data().CaptionPrefix)) + " in " + std::string(kInitialCaption);
  SetWindowTextA(hwnd_, caption.c_str());

  placement_window_.emplace(hwnd_, Module().PixelsPerInch());
  FormStorage1.emplace(registry_, *placement_window_, static_cast<ErrorSink&>(*this), HostExecutablePath());
  FormStorage1->StoredValues().Add("CurrentBand", 1);
}

TfmMainForm::~TfmMainForm() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void TfmMainForm::CreateControls(HINSTANCE instance) {
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_font_.get()), FALSE);
  RECT client;
  GetClientRect(hwnd_, &client);

  Panel1 = CreateWindowExA(0, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                           client.bottom - kPanelHeight, client.right, kPanelHeight, hwnd_, nullptr, instance,
                           nullptr);
  SetWindowLongPtrA(Panel1, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // The button keeps its distance to the panel's right edge.
  button_right_gap_ = client.right - (kButtonLeft + kButtonWidth);
  BitBtn1 = CreateWindowExA(
      0, "BUTTON", "Recalc Statistic", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, kButtonLeft,
      kButtonTop, kButtonWidth, kButtonHeight, Panel1, reinterpret_cast<HMENU>(kButtonId), instance, nullptr);
  SendMessageA(BitBtn1, WM_SETFONT, reinterpret_cast<WPARAM>(form_font_.get()), FALSE);

  // No word wrap (horizontal auto-scroll), no scroll bars; the operator may type.
  myStatisticM =
      CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                      WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN,
                      0, 0, client.right, client.bottom - kPanelHeight, hwnd_, nullptr, instance, nullptr);
  SendMessageA(myStatisticM, WM_SETFONT, reinterpret_cast<WPARAM>(memo_font_.get()), FALSE);
}

void TfmMainForm::Layout() {
  RECT client;
  GetClientRect(hwnd_, &client);
  const int panel_top = client.bottom > kPanelHeight ? client.bottom - kPanelHeight : 0;
  MoveWindow(Panel1, 0, panel_top, client.right, kPanelHeight, TRUE);
  MoveWindow(BitBtn1, client.right - button_right_gap_ - kButtonWidth, kButtonTop, kButtonWidth,
             kButtonHeight, TRUE);
  MoveWindow(myStatisticM, 0, 0, client.right, panel_top, TRUE);
}

void TfmMainForm::Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ShowErrorBox(hwnd_, e.what());
  } catch (...) {
    ShowErrorBox(hwnd_, "Unknown error");
  }
}

void TfmMainForm::Show() {
  if (IsWindowVisible(hwnd_)) {
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (showing_)
    return;  // a nested request while this show is under way
  showing_ = true;
  ++busy_;
  // The placement store restores while the window is still hidden, then FormShow rebuilds the tally.
  Dispatch([this] { FormStorage1->OnShow([this] { FormShow(); }); });
  showing_ = false;
  if (!released_)
    ShowWindow(hwnd_, placement_window_->ShowCommand());
  EndBusy();
}

void TfmMainForm::FormShow() {
  RunRecalcStatistic();
}

void TfmMainForm::RunRecalcStatistic() {
  if (recalc_enabled_)
    RecalcStatisticExecute();
}

void TfmMainForm::RecalcStatisticExecute() {
  ++busy_;
  struct Finally {
    TfmMainForm* form;
    ~Finally() {
      form->SetRecalcEnabled(true);
      form->EndBusy();
    }
  } finally{this};
  pump_.ProcessMessages();
  SetRecalcEnabled(false);
  RecalcFromLog(tally_, buffer_.Data(), LogQuery, pump_, [this] { SetWindowTextA(myStatisticM, ""); });
  ShowStatistic();
}

void TfmMainForm::SetRecalcEnabled(bool enabled) {
  recalc_enabled_ = enabled;
  EnableWindow(BitBtn1, enabled ? TRUE : FALSE);
}

void TfmMainForm::ShowStatistic() {
  const std::string report = tally_.ShowStatistic();
  SetWindowTextA(myStatisticM, report.c_str());
}

void TfmMainForm::FormCloseQuery(bool& can_close) {
  LogQuery.Close();
  can_close = true;
}

void TfmMainForm::FormClose() {
  ShowWindow(hwnd_, SW_HIDE);
  Release();
  if (Module().fmMainForm == this)
    Module().fmMainForm = nullptr;
}

bool TfmMainForm::CloseQuery() {
  bool can_close = false;
  Dispatch([&] {
    can_close = FormStorage1->OnCloseQuery([this] {
      bool allowed = true;
      FormCloseQuery(allowed);
      return allowed;
    });
  });
  return can_close;
}

void TfmMainForm::CloseRequest() {
  if (CloseQuery())
    FormClose();
}

void TfmMainForm::ShowError(std::string_view message) {
  ShowErrorBox(destroying_ ? nullptr : hwnd_, message);
}

void TfmMainForm::Release() {
  released_ = true;
  PostMessageA(hwnd_, kReleaseMessage, 0, 0);
}

void TfmMainForm::EndBusy() {
  if (--busy_ == 0 && release_pending_) {
    release_pending_ = false;
    PostMessageA(hwnd_, kReleaseMessage, 0, 0);
  }
}

void TfmMainForm::Destroy() {
  if (busy_ > 0) {
    release_pending_ = true;
    return;
  }
  DestroyWindow(hwnd_);
}

LRESULT TfmMainForm::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_SYSCOMMAND:
      // Exactly the close command minimises; any other code, even with low bits set, goes the standard way.
      if (wparam == kCloseCommand) {
        ShowWindow(hwnd_, SW_MINIMIZE);
        return 0;
      }
      break;
    case WM_CLOSE:
      CloseRequest();
      return 0;
    case WM_QUERYENDSESSION: {
      // The system asks whether the session may end: the close-query step alone; the window stays usable.
      return CloseQuery() ? TRUE : FALSE;
    }
    case WM_DESTROY:
      destroying_ = true;
      Dispatch([this] { FormStorage1->OnDestroy({}); });
      return 0;
    case WM_COMMAND:
      if (lparam == 0 && LOWORD(wparam) == kDxccMenuItem)
        return 0;  // the "DXCC" item has no command
      if (reinterpret_cast<HWND>(lparam) == BitBtn1 && HIWORD(wparam) == BN_CLICKED) {
        Dispatch([this] { RunRecalcStatistic(); });
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->hwndItem == BitBtn1) {
        DrawRecalcButton(*item);
        return TRUE;
      }
      break;
    }
    case kReleaseMessage:
      Destroy();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, msg, wparam, lparam);
}

LRESULT CALLBACK TfmMainForm::WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  TfmMainForm* form = FormOf(hwnd);
  if (!form)
    return DefWindowProcA(hwnd, msg, wparam, lparam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    form->hwnd_ = nullptr;
    const LRESULT result = DefWindowProcA(hwnd, msg, wparam, lparam);
    ForgetWindow(form);  // the object is gone after this
    return result;
  }
  try {
    return form->HandleMessage(msg, wparam, lparam);
  } catch (...) {
    return DefWindowProcA(hwnd, msg, wparam, lparam);
  }
}

LRESULT CALLBACK TfmMainForm::PanelProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  // The button's notifications and drawing belong to the form.
  if (msg == WM_COMMAND || msg == WM_DRAWITEM) {
    if (TfmMainForm* form = FormOf(hwnd))
      return SendMessageA(form->hwnd_, msg, wparam, lparam);
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

}  // namespace zqt::win32
