// A stand-in contest module for testing the host alone: a top-most window with a report text area and a
// recalc button, a duplicate check on call, band and mode, a log count read through the host's connection,
// and message boxes on request (call "BOX" shows one with OK, "YESNO" one without).
#include <set>
#include <string>

#include "ZQTRTTYContest.h"
#include "core/boundary_records.h"
#include "message_loop.h"
#include "odbc/error.h"
#include "odbc/handle.h"

namespace {

constexpr char kClassName[] = "ZqtFakeModuleWindow";
constexpr UINT kDestroyMessage = WM_APP + 7;
constexpr int kButtonId = 100;

// The module-global state every contest module keeps between the host's calls.
struct FakeModule {
  TContestData buffer{};
  HWND window = nullptr;
  HWND edit = nullptr;
  HWND button = nullptr;
  std::set<std::string> worked;
  std::string last_call;
  std::string log_line = "Log: none";
  bool rebuilding = false;
  bool release_pending = false;
  bool stuck = false;
};

FakeModule& State() {
  static FakeModule state;
  return state;
}

std::string Text(const ZqtText& slot) {
  return std::string(zqt::TextView(slot));
}

std::string QsoKey(const TContestData& data) {
  return Text(data.CallSign) + "|" + Text(data.DigiBand) + "|" + Text(data.QSOMode);
}

void ShowReport() {
  FakeModule& state = State();
  const std::string report = "QSOs: " + std::to_string(state.worked.size()) + "\r\nLast:\t" +
                             state.last_call + "\r\n" + state.log_line + "\r\n";
  SetWindowTextA(state.edit, report.c_str());
}

// Lists the calls of the host's log through the host's own connection, as a real module's rebuild does; ""
// when the connection takes no statement or the statement fails.
std::string ReadLog(const TContestData& data) {
  const auto connection = reinterpret_cast<SQLHDBC>(static_cast<std::uintptr_t>(data.Connection));
  if (connection == nullptr) {
    return {};
  }
  try {
    const zqt::odbc::Handle statement(SQL_HANDLE_STMT, connection);
    std::string sql = "SELECT CallSign FROM " + Text(data.LogTable) + " ORDER BY CallSign";
    if (!SQL_SUCCEEDED(SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS))) {
      return {};
    }
    std::string calls;
    while (SQL_SUCCEEDED(SQLFetch(statement.get()))) {
      char call[256] = {};
      SQLLEN length = 0;
      SQLGetData(statement.get(), 1, SQL_C_CHAR, call, sizeof call, &length);
      calls += (calls.empty() ? "" : ",") + std::string(call);
    }
    return "Log: " + calls;
  } catch (const zqt::odbc::Error&) {
    return {};
  }
}

void Rebuild() {
  FakeModule& state = State();
  state.rebuilding = true;
  zqthost::DrainMessages();
  EnableWindow(state.button, FALSE);
  state.log_line = ReadLog(state.buffer);
  if (state.log_line.empty()) {
    state.log_line = "Log: error";
    MessageBoxA(state.window, "Log query failed", "Fake", MB_OK | MB_ICONSTOP);
  }
  ShowReport();
  EnableWindow(state.button, TRUE);
  state.rebuilding = false;
  if (state.release_pending) {
    PostMessageA(state.window, kDestroyMessage, 0, 0);
  }
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  FakeModule& state = State();
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == kButtonId) {
        Rebuild();
      }
      return 0;
    case kDestroyMessage:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      state = FakeModule{};
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

void CreateModuleWindow(const TContestData& data) {
  FakeModule& state = State();
  state.buffer = data;
  const HINSTANCE instance = GetModuleHandleA("ZQTRTTYContest.dll");
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = WindowProcedure;
  window_class.hInstance = instance;
  window_class.lpszClassName = kClassName;
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  RegisterClassA(&window_class);
  const std::string caption = Text(data.CaptionPrefix) + " in Fake";
  state.stuck = Text(data.CaptionPrefix) == "stuck";
  // Partly beyond the screen's right edge, as a window at its saved place on a smaller screen can be.
  state.window = CreateWindowExA(WS_EX_TOPMOST, kClassName, caption.c_str(), WS_OVERLAPPEDWINDOW,
                                 GetSystemMetrics(SM_CXSCREEN) - 200, 100, 268, 138, nullptr, nullptr,
                                 instance, nullptr);
  state.edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 260, 60,
                               state.window, nullptr, instance, nullptr);
  state.button = CreateWindowExA(0, "BUTTON", "Recalc", WS_CHILD | WS_VISIBLE, 60, 62, 195, 22, state.window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)), instance, nullptr);
  ShowWindow(state.window, SW_SHOWNOACTIVATE);
  Rebuild();
}

}  // namespace

extern "C" {

void ZQT_STDCALL FakeGetInfo(TPluginInfo* info) {
  zqt::WriteText(info->PluginName, "Fake Test Module");
  info->PluginKind = 1;
  zqt::WriteText(info->PluginKey, "fake_test_keys");
  info->PluginVersion = 1;
}

void* ZQT_STDCALL FakeRun(uint32_t, const TContestData* data) {
  if (State().window == nullptr) {
    CreateModuleWindow(*data);
  }
  return State().window;
}

int32_t ZQT_STDCALL FakeGetScore(const TContestData* data) {
  FakeModule& state = State();
  state.buffer = *data;
  if (state.window == nullptr) {
    return 0;
  }
  return state.worked.count(QsoKey(state.buffer)) != 0 ? -1 : 1;
}

int32_t ZQT_STDCALL FakeAddQSO(const TContestData* data) {
  FakeModule& state = State();
  state.buffer = *data;
  if (state.window == nullptr) {
    return 0;
  }
  const std::string call = Text(state.buffer.CallSign);
  if (call == "BOX") {
    MessageBoxA(state.window, "Box text", "Fake caption", MB_OK | MB_ICONSTOP);
  } else if (call == "YESNO") {
    MessageBoxA(state.window, "Yes or no?", "Fake question", MB_YESNO);
  }
  const bool added = state.worked.insert(QsoKey(state.buffer)).second;
  if (added) {
    state.last_call = call;
  }
  ShowReport();
  return added ? 1 : -1;
}

void ZQT_STDCALL FakeGrabNumber(const TContestData* data, uint8_t* number) {
  State().buffer = *data;
  number[0] = 0;
}

void ZQT_STDCALL FakeRelease() {
  FakeModule& state = State();
  if (state.window == nullptr || state.stuck) {
    return;
  }
  if (state.rebuilding) {
    state.release_pending = true;
  } else {
    PostMessageA(state.window, kDestroyMessage, 0, 0);
  }
}
}
