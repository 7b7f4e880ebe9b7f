#include "main_form.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "core/rebuild.h"
#include "error_box.h"
#include "module_state.h"
#include "recalc_button.h"

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

// The menu bar: "Windows" holding "DXCC", which has no command.
UniqueMenu MakeMainMenu() {
  UniqueMenu menu(CreateMenu());
  UniqueMenu windows(CreatePopupMenu());
  if (!menu || !windows || !AppendMenuA(windows.get(), MF_STRING, kDxccMenuItem, "DXCC") ||
      !AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(windows.get()), "Windows")) {
    throw std::runtime_error("The statistics window's menu could not be created");
  }
  windows.release();  // the menu bar owns its popup now
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
  Module().classes_registered = true;
}

void TfmMainForm::UnregisterClasses(HINSTANCE instance) {
  UnregisterClassA(kClassName, instance);
  UnregisterClassA(kPanelClass, instance);
}

UniqueWindow TfmMainForm::CreateNativeWindow(HINSTANCE instance) {
  RegisterClasses(instance);
  UniqueMenu menu = MakeMainMenu();
  UniqueWindow window(
      CreateWindowExA(WS_EX_TOPMOST, kClassName, kInitialCaption,
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, kDesignLeft,
                      kDesignTop, kDesignWidth, kDesignHeight, nullptr, menu.get(), instance, nullptr));
  if (!window)
    throw std::runtime_error("The statistics window could not be created");
  menu.release();  // the window destroys its menu
  return window;
}

TfmMainForm::TfmMainForm(HINSTANCE instance, QsoBuffer& buffer, const TContestData& data)
    : buffer_(buffer),
      tally_(collation_),
      log_query_("LogQuery", data.Connection, OdbcQuery::kBlockRows),
      form_font_(MakeFont("MS Sans Serif", 11, DEFAULT_CHARSET)),
      report_font_(MakeFont("Courier New", 11, RUSSIAN_CHARSET)),
      window_(CreateNativeWindow(instance)) {
  CreateControls(instance);

  buffer_.CopyIn(&data);
  const std::string caption =
      std::string(TextView(buffer_.Data().CaptionPrefix)) + " in " + std::string(kInitialCaption);
  SetWindowTextA(window_.get(), caption.c_str());

  placement_window_.emplace(window_.get(), Module().PixelsPerInch());
  placement_store_.emplace(registry_, *placement_window_, static_cast<ErrorSink&>(*this));

  // Messages reach this object only once it is whole: until now they got the default handling, so a close
  // request during the steps above destroyed the window, which makes the construction fail here.
  if (!IsWindow(window_.get()))
    throw std::runtime_error("The statistics window was closed while it was being created");
  SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TfmMainForm::CreateControls(HINSTANCE instance) {
  const HWND window = window_.get();
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(form_font_.get()), FALSE);
  RECT client;
  GetClientRect(window, &client);

  button_panel_ = CreateWindowExA(0, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                  client.bottom - kPanelHeight, client.right, kPanelHeight, window, nullptr,
                                  instance, nullptr);
  // The button keeps its distance to the panel's right edge.
  button_right_gap_ = client.right - (kButtonLeft + kButtonWidth);
  recalc_button_ =
      CreateWindowExA(0, "BUTTON", "Recalc Statistic", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                      kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight, button_panel_,
                      reinterpret_cast<HMENU>(kButtonId), instance, nullptr);
  SendMessageA(recalc_button_, WM_SETFONT, reinterpret_cast<WPARAM>(form_font_.get()), FALSE);

  // No word wrap (horizontal auto-scroll), no scroll bars; the operator may type.
  report_edit_ =
      CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                      WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN,
                      0, 0, client.right, client.bottom - kPanelHeight, window, nullptr, instance, nullptr);
  if (!button_panel_ || !recalc_button_ || !report_edit_)
    throw std::runtime_error("The statistics window's controls could not be created");
  SendMessageA(report_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(report_font_.get()), FALSE);
  report_area_.emplace(report_edit_);
}

void TfmMainForm::Layout() {
  RECT client;
  GetClientRect(window_.get(), &client);
  const int panel_top = client.bottom > kPanelHeight ? client.bottom - kPanelHeight : 0;
  MoveWindow(button_panel_, 0, panel_top, client.right, kPanelHeight, TRUE);
  MoveWindow(recalc_button_, client.right - button_right_gap_ - kButtonWidth, kButtonTop, kButtonWidth,
             kButtonHeight, TRUE);
  MoveWindow(report_edit_, 0, 0, client.right, panel_top, TRUE);
}

void TfmMainForm::Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ShowErrorBox(window_.get(), e.what());
  } catch (...) {
    ShowErrorBox(window_.get(), "Unknown error");
  }
}

void TfmMainForm::Show() {
  if (IsWindowVisible(window_.get())) {
    SetWindowPos(window_.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (showing_)
    return;  // a nested request while this show is under way
  showing_ = true;
  ++busy_;
  // The placement store restores while the window is still hidden, then FormShow rebuilds the tally.
  Dispatch([this] { placement_store_->OnShow([this] { FormShow(); }); });
  showing_ = false;
  if (!released_)
    ShowWindow(window_.get(), placement_window_->ShowCommand());
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
  RecalcFromLog(tally_, buffer_.Data(), log_query_, pump_, [this] { report_area_->Show({}); });
  ShowStatistic();
}

void TfmMainForm::SetRecalcEnabled(bool enabled) {
  recalc_enabled_ = enabled;
  EnableWindow(recalc_button_, enabled ? TRUE : FALSE);
}

void TfmMainForm::ShowStatistic() {
  report_area_->Show(tally_.ShowStatistic());
}

void TfmMainForm::FormCloseQuery(bool& can_close) {
  // The log's statement lives as long as a rebuild's cursor, which frees it however the rebuild ends. One
  // asked here while a rebuild lets messages run still counts the whole log: the window may stay open, and
  // a rebuild cut short would leave it showing part of the score.
  can_close = true;
}

void TfmMainForm::FormClose() {
  ShowWindow(window_.get(), SW_HIDE);
  Release();
  if (Module().main_form == this)
    Module().main_form = nullptr;
}

bool TfmMainForm::CloseQuery() {
  bool can_close = false;
  Dispatch([&] {
    can_close = placement_store_->OnCloseQuery([this] {
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
  ShowErrorBox(destroying_ ? nullptr : window_.get(), message);
}

void TfmMainForm::Release() {
  released_ = true;
  PostMessageA(window_.get(), kReleaseMessage, 0, 0);
}

void TfmMainForm::EndBusy() {
  if (--busy_ == 0 && release_pending_) {
    release_pending_ = false;
    PostMessageA(window_.get(), kReleaseMessage, 0, 0);
  }
}

void TfmMainForm::Destroy() {
  if (busy_ > 0) {
    release_pending_ = true;
    return;
  }
  // Destruction runs through WM_NCDESTROY, which hands the window back and drops this object.
  DestroyWindow(window_.get());
}

LRESULT TfmMainForm::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_SYSCOMMAND:
      // Exactly the close command minimises; any other code, even with low bits set, goes the standard way.
      if (wparam == kCloseCommand) {
        ShowWindow(window_.get(), SW_MINIMIZE);
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
      Dispatch([this] { placement_store_->OnDestroy(); });
      return 0;
    case WM_COMMAND:
      if (lparam == 0 && LOWORD(wparam) == kDxccMenuItem)
        return 0;  // the "DXCC" item has no command
      if (reinterpret_cast<HWND>(lparam) == recalc_button_ && HIWORD(wparam) == BN_CLICKED) {
        Dispatch([this] { RunRecalcStatistic(); });
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->hwndItem == recalc_button_) {
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
  return DefWindowProcA(window_.get(), msg, wparam, lparam);
}

LRESULT CALLBACK TfmMainForm::WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  TfmMainForm* form = FormOf(hwnd);
  if (!form)
    return DefWindowProcA(hwnd, msg, wparam, lparam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    static_cast<void>(form->window_.release());  // the system is destroying it
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
  // The button's notifications and drawing belong to the form, the panel's parent.
  if (msg == WM_COMMAND || msg == WM_DRAWITEM)
    return SendMessageA(GetParent(hwnd), msg, wparam, lparam);
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

}  // namespace zqt::win32
