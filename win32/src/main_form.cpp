#include "main_form.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>

#include "core/rebuild.h"
#include "error_box.h"
#include "module_state.h"
#include "recalc_button.h"

namespace zqt::win32 {
namespace {

constexpr UINT kReleaseMessage = WM_APP + 0x100;
constexpr WPARAM kCloseCommand = 0xF060;
constexpr UINT_PTR kDxccMenuItem = 100;
constexpr UINT_PTR kButtonId = 1;
constexpr const char* kPanelClass = "TPanel";
constexpr const char* kFormFont = "MS Sans Serif";
constexpr const char* kReportFont = "Courier New";

UniqueFont MakeFormFont(int pixels_per_inch) {
  return MakeFont(kFormFont, ScaledFormLayout(pixels_per_inch).font_height, DEFAULT_CHARSET);
}
UniqueFont MakeReportFont(int pixels_per_inch) {
  return MakeFont(kReportFont, ScaledFormLayout(pixels_per_inch).font_height, RUSSIAN_CHARSET);
}

// The height of one line of text in `font`, as a multi-line EDIT control spaces its lines.
int LineHeight(HFONT font) {
  const UniqueScreenDc dc(GetDC(nullptr));
  const SelectedObject use_font(dc.get(), font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  return metrics.tmHeight;
}

int HeightOf(const RECT& rect) {
  return rect.bottom - rect.top;
}

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

UniqueWindow TfmMainForm::CreateNativeWindow(HINSTANCE instance, const LayoutBox& box) {
  RegisterClasses(instance);
  UniqueMenu menu = MakeMainMenu();
  UniqueWindow window(
      CreateWindowExA(WS_EX_TOPMOST, kClassName, kInitialCaption,
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, box.left,
                      box.top, box.width, box.height, nullptr, menu.get(), instance, nullptr));
  if (!window)
    throw std::runtime_error("The statistics window could not be created");
  menu.release();  // the window destroys its menu
  return window;
}

TfmMainForm::TfmMainForm(HINSTANCE instance, QsoBuffer& buffer, const TContestData& data)
    : buffer_(buffer),
      tally_(collation_),
      log_query_("LogQuery", data.Connection, OdbcQuery::kBlockRows),
      pixels_per_inch_(LayoutPixelsPerInch(Module().PixelsPerInch())),
      form_font_(MakeFormFont(pixels_per_inch_)),
      report_font_(MakeReportFont(pixels_per_inch_)),
      window_(CreateNativeWindow(instance, ScaledFormLayout(pixels_per_inch_).window)) {
  CreateControls(instance);
  FitReportLines();
  KeepOnScreen();

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
  button_panel_ = CreateWindowExA(0, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                  window, nullptr, instance, nullptr);
  recalc_button_ =
      CreateWindowExA(0, "BUTTON", "Recalc Statistic", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0,
                      0, 0, 0, button_panel_, reinterpret_cast<HMENU>(kButtonId), instance, nullptr);
  SendMessageA(recalc_button_, WM_SETFONT, reinterpret_cast<WPARAM>(form_font_.get()), FALSE);
  // No word wrap (horizontal auto-scroll), no scroll bars; the operator may type.
  report_edit_ =
      CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                      WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN,
                      0, 0, 0, 0, window, nullptr, instance, nullptr);
  if (!button_panel_ || !recalc_button_ || !report_edit_)
    throw std::runtime_error("The statistics window's controls could not be created");
  SendMessageA(report_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(report_font_.get()), FALSE);
  report_area_.emplace(report_edit_);

  // The button keeps the distance to the panel's right edge that it has at the design size.
  RECT client{};
  GetClientRect(window, &client);
  const LayoutBox& button = ScaledFormLayout(pixels_per_inch_).button;
  button_right_gap_ = client.right - (button.left + button.width);
  Layout();
}

void TfmMainForm::Layout() {
  const FormLayout layout = ScaledFormLayout(pixels_per_inch_);
  RECT client{};
  GetClientRect(window_.get(), &client);
  const int panel_top = std::max(0, static_cast<int>(client.bottom) - layout.panel_height);
  MoveWindow(button_panel_, 0, panel_top, client.right, layout.panel_height, TRUE);
  const int gap =
      MulDivRounded(button_right_gap_, pixels_per_inch_, LayoutPixelsPerInch(Module().PixelsPerInch()));
  MoveWindow(recalc_button_, client.right - gap - layout.button.width, layout.button.top, layout.button.width,
             layout.button.height, TRUE);
  MoveWindow(report_edit_, 0, 0, client.right, panel_top, TRUE);
}

void TfmMainForm::FitReportLines() {
  RECT outer{};
  RECT client{};
  RECT text_outer{};
  RECT text_client{};
  GetWindowRect(window_.get(), &outer);
  GetClientRect(window_.get(), &client);
  GetWindowRect(report_edit_, &text_outer);
  GetClientRect(report_edit_, &text_client);
  const int height = HeightOf(outer);
  const int fitting = HeightForLines(
      height, height - HeightOf(client), ScaledFormLayout(pixels_per_inch_).panel_height,
      HeightOf(text_outer) - HeightOf(text_client), LineHeight(report_font_.get()), kReportLines);
  if (fitting == height)
    return;
  SetWindowPos(window_.get(), nullptr, 0, 0, outer.right - outer.left, fitting,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void TfmMainForm::KeepOnScreen() {
  RECT outer{};
  GetWindowRect(window_.get(), &outer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &monitor))
    return;
  const RECT& work = monitor.rcWork;
  const LayoutBox box = MovedInside({outer.left, outer.top, outer.right - outer.left, HeightOf(outer)},
                                    {work.left, work.top, work.right - work.left, HeightOf(work)});
  if (box.left != outer.left || box.top != outer.top)
    SetWindowPos(window_.get(), nullptr, box.left, box.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfmMainForm::ChangeScale(int pixels_per_inch, const RECT& suggested) {
  pixels_per_inch_ = LayoutPixelsPerInch(pixels_per_inch);
  UseFonts(MakeFormFont(pixels_per_inch_), MakeReportFont(pixels_per_inch_));
  SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void TfmMainForm::UseFonts(UniqueFont form_font, UniqueFont report_font) {
  // The controls take the new fonts before the old ones are deleted.
  SendMessageA(recalc_button_, WM_SETFONT, reinterpret_cast<WPARAM>(form_font.get()), TRUE);
  SendMessageA(report_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(report_font.get()), TRUE);
  form_font_ = std::move(form_font);
  report_font_ = std::move(report_font);
}

void TfmMainForm::Dispatch(const std::function<void()>& handler) {
  const HandlerRun run(*this);
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
  if (handlers_running_ > 0)
    return;  // a nested request while this show is under way
  // The placement store restores while the window is still hidden, then FormShow rebuilds the tally.
  Dispatch([this] { placement_store_->OnShow([this] { FormShow(); }); });
  if (life_ == Life::kOpen)
    ShowWindow(window_.get(), placement_window_->ShowCommand());
}

void TfmMainForm::FormShow() {
  RunRecalcStatistic();
}

void TfmMainForm::RunRecalcStatistic() {
  if (recalc_enabled_)
    RecalcStatisticExecute();
}

void TfmMainForm::RecalcStatisticExecute() {
  struct EnableAgain {
    TfmMainForm* form;
    ~EnableAgain() { form->SetRecalcEnabled(true); }
  } enable_again{this};
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
}

bool TfmMainForm::CloseQuery() {
  return placement_store_->OnCloseQuery([this] {
    bool allowed = true;
    FormCloseQuery(allowed);
    return allowed;
  });
}

void TfmMainForm::ShowError(std::string_view message) {
  ShowErrorBox(life_ == Life::kDestroying ? nullptr : window_.get(), message);
}

void TfmMainForm::Release() {
  if (life_ != Life::kOpen)
    return;
  life_ = Life::kReleased;
  PostMessageA(window_.get(), kReleaseMessage, 0, 0);
}

TfmMainForm::HandlerRun::~HandlerRun() {
  // The last handler to return lets a release that waited for it go ahead.
  if (--form_.handlers_running_ == 0 && form_.life_ == Life::kReleased)
    PostMessageA(form_.window_.get(), kReleaseMessage, 0, 0);
}

void TfmMainForm::Destroy() {
  if (life_ != Life::kReleased || handlers_running_ > 0)
    return;
  // Destruction runs through WM_NCDESTROY, which hands the window back and lets the owner drop this object.
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
      Dispatch([this] {
        if (CloseQuery())
          FormClose();
      });
      return 0;
    case WM_QUERYENDSESSION: {
      // The system asks whether the session may end: the close-query step alone; the window stays usable.
      bool can_close = false;
      Dispatch([&] { can_close = CloseQuery(); });
      return can_close ? TRUE : FALSE;
    }
    case WM_DPICHANGED:
      if (lparam == 0)
        break;
      ChangeScale(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_DESTROY:
      life_ = Life::kDestroying;
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
    form->life_ = Life::kGone;
    const LRESULT result = DefWindowProcA(hwnd, msg, wparam, lparam);
    // The object goes now unless a handler still runs in it (a host that destroyed the window from inside a
    // rebuild); the owner drops it later then.
    Module().forms.DropDestroyed();
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
