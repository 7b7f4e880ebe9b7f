#include "host_session.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "host_error.h"
#include "message_loop.h"
#include "module_reload.h"
#include "placement_key.h"
#include "record_builder.h"
#include "screenshot.h"
#include "stop_signal.h"
#include "thread_windows.h"
#include "module_window.h"

namespace zqthost {
namespace {

constexpr auto kReleaseTimeout = std::chrono::seconds(10);
constexpr auto kWaitRowsTimeout = std::chrono::minutes(2);
constexpr unsigned char kFill = 0xAA;

bool AllFill(const unsigned char* bytes, std::size_t first, std::size_t last) {
  for (std::size_t i = first; i <= last; ++i) {
    if (bytes[i] != kFill) {
      return false;
    }
  }
  return true;
}

}  // namespace

HostSession::HostSession(Console& console, const Options& options, OdbcLog& log, ContestModule& module)
    : console_(console), log_(log), module_(module), exports_(module.exports()), table_(options.table) {
  record_.Connection = ConnectionField(log.connection());
  WriteText(record_.LogTable, options.table);
  WriteText(record_.CaptionPrefix, options.caption_prefix);
}

HostSession::~HostSession() {
  if (finished_) {
    return;
  }
  exports_.release();
  if (!PumpUntilGone(window_, kReleaseTimeout)) {
    module_.KeepLoaded();
  }
}

HWND HostSession::LiveWindow() const {
  return window_ != nullptr && IsWindow(window_) ? window_ : nullptr;
}

void HostSession::Info(bool check_untouched) {
  TPluginInfo info;
  std::memset(&info, kFill, sizeof info);
  exports_.get_info(&info);
  console_.Line("info: name=" + ReadText(info.PluginName) + " kind=" + std::to_string(info.PluginKind) +
                " key=" + ReadText(info.PluginKey) + " version=" + std::to_string(info.PluginVersion));
  if (check_untouched) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&info);
    const bool untouched = AllFill(bytes, 17, 255) && AllFill(bytes, 275, 515);
    console_.Line(std::string("info-untouched: ") + (untouched ? "yes" : "no"));
  }
}

void HostSession::Run() {
  window_ = static_cast<HWND>(exports_.run(0, &record_));
  if (LiveWindow() != nullptr) {
    window_class_ = ClassNameOf(window_);
  }
  console_.Line("run: window=" + HandleText(window_));
}

void HostSession::GetScore() {
  console_.Line("getscore: " + std::to_string(exports_.get_score(&record_)));
}

void HostSession::AddQso() {
  console_.Line("addqso: " + std::to_string(exports_.add_qso(&record_)));
}

void HostSession::Grab() {
  ZqtText number;
  std::memset(number, kFill, sizeof number);
  exports_.grab_number(&record_, number);
  console_.Line("grab: len=" + std::to_string(number[0]));
}

void HostSession::SetQso(const Qso& qso) {
  qso_ = qso;
  zqthost::SetQso(record_, qso);
}

void HostSession::QsoCommand(const Qso& qso) {
  SetQso(qso);
  console_.Line("qso: " + qso.call + " " + qso.band + " " + qso.mode);
}

void HostSession::SetTable(std::string_view table) {
  WriteText(record_.LogTable, table);
  console_.Line("table: " + ReadText(record_.LogTable));
}

void HostSession::ZeroConnection() {
  record_.Connection = 0;
  console_.Line("connection: 0");
}

void HostSession::SetCaption(std::string_view caption) {
  WriteText(record_.CaptionPrefix, caption);
  console_.Line("caption: " + ReadText(record_.CaptionPrefix));
}

void HostSession::Insert() {
  log_.Insert(table_, qso_);
  console_.Line("insert: done");
}

int HostSession::Log(bool print_results) {
  const int score = exports_.get_score(&record_);
  if (score == -1) {
    console_.Line("dupe: " + qso_.call + " " + qso_.band + " " + qso_.mode);
  }
  log_.Insert(table_, qso_);
  const int added = exports_.add_qso(&record_);
  DrainMessages();
  if (print_results) {
    console_.Line("log: getscore=" + std::to_string(score) + " addqso=" + std::to_string(added));
  }
  return added;
}

void HostSession::Sql(std::string_view statement) {
  log_.Execute(statement);
  console_.Line("sql: done");
}

void HostSession::Replay(const std::vector<Qso>& qsos, std::size_t first, std::size_t last) {
  std::size_t logged = 0;
  for (std::size_t number = std::max<std::size_t>(first, 1); number <= std::min(last, qsos.size());
       ++number) {
    SetQso(qsos[number - 1]);
    Log(false);
    ++logged;
  }
  console_.Line("replay: " + std::to_string(logged) + " QSOs");
}

void HostSession::Reconnect() {
  try {
    log_.Reconnect();
    console_.Line("reconnect: done");
  } catch (const HostError& error) {
    console_.Line(std::string("reconnect: failed: ") + error.what());
  }
}

void HostSession::WaitRows(long long rows) {
  const auto give_up = std::chrono::steady_clock::now() + kWaitRowsTimeout;
  long long count = log_.RowCount(table_);
  while (count < rows) {
    if (std::chrono::steady_clock::now() > give_up) {
      throw HostError(ExitCode::kFailure, "the log holds " + std::to_string(count) + " rows, not " +
                                              std::to_string(rows) + ", after two minutes");
    }
    PumpFor(std::chrono::milliseconds(100));
    count = log_.RowCount(table_);
  }
  console_.Line("wait-rows: " + std::to_string(count));
}

void HostSession::Report() {
  console_.Line(FormatReport(ReadReport(LiveWindow())));
}

void HostSession::State() {
  console_.Line("state: " + DescribeState(LiveWindow(), window_class_));
}

HWND HostSession::RecalcButton() const {
  const HWND window = LiveWindow();
  return window != nullptr ? FindDescendant(window, "button") : nullptr;
}

void HostSession::ClickRecalc() {
  const HWND button = RecalcButton();
  if (button == nullptr) {
    console_.Line("click-recalc: none");
    return;
  }
  PostMessageA(button, BM_CLICK, 0, 0);
  console_.Line("click-recalc: posted");
}

void HostSession::Recalc() {
  const HWND button = RecalcButton();
  if (button == nullptr) {
    console_.Line("recalc: none");
    return;
  }
  // Sent, not posted: the rebuild runs inside the call, and an error box it shows is answered before it
  // returns.
  SendMessageA(button, BM_CLICK, 0, 0);
  DrainMessages();
  console_.Line("recalc: done");
}

void HostSession::SysCommand(WPARAM code) {
  const HWND window = LiveWindow();
  if (window == nullptr) {
    console_.Line("syscommand: none");
    return;
  }
  PostMessageA(window, WM_SYSCOMMAND, code, 0);
  console_.Line("syscommand: posted");
}

void HostSession::Close() {
  const HWND window = LiveWindow();
  if (window == nullptr) {
    console_.Line("close: none");
    return;
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  console_.Line("close: posted");
}

void HostSession::Release() {
  exports_.release();
  console_.Line("release: done");
}

void HostSession::ReleaseDuringRebuild() {
  const HWND window = LiveWindow();
  const HWND button = RecalcButton();
  if (button == nullptr) {
    console_.Line("release-during-rebuild: none");
    return;
  }
  if (!release_hook_) {
    release_hook_ = std::make_unique<ReleaseHook>(exports_.release);
  }
  release_hook_->Arm(window);
  // Sent, not posted: the click runs now, and the rebuild inside it dispatches the waiting release message.
  SendMessageA(button, BM_CLICK, 0, 0);
  if (!release_hook_->WindowAliveAfterRelease()) {
    DrainMessages();
  }
  const bool alive = release_hook_->WindowAliveAfterRelease().value_or(false);
  console_.Line(std::string("release-during-rebuild: window-alive-after-release=") + (alive ? "1" : "0"));
}

PumpPointCalls& HostSession::PumpPoints() {
  if (!pump_point_calls_) {
    pump_point_calls_ = std::make_unique<PumpPointCalls>(console_, module_, record_);
  }
  return *pump_point_calls_;
}

void HostSession::AtPumpPoint(int point, EntryPoint entry, std::string_view name) {
  PumpPoints().Arm(point, entry);
  console_.Line("at-pump-point: " + std::to_string(point) + " " + std::string(name));
}

void HostSession::Rebuilds() {
  console_.Line("rebuilds: " + std::to_string(PumpPoints().Rebuilds()));
}

void HostSession::DestroyedReport() {
  console_.Line(PumpPoints().DestroyedReport());
}

void HostSession::Pump(std::chrono::milliseconds duration) {
  PumpFor(duration);
  console_.Line("pump: " + std::to_string(duration.count()));
}

void HostSession::WaitGone() {
  console_.Line(PumpUntilGone(window_, kReleaseTimeout) ? "gone: yes" : "gone: timeout");
}

void HostSession::Screenshot(const std::string& path) {
  const HWND window = LiveWindow();
  if (window == nullptr) {
    console_.Line("screenshot: none");
    return;
  }
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  DrainMessages();
  SaveWindowScreenshot(window, path);
  console_.Line("screenshot: " + path);
}

void HostSession::Placement() {
  const HWND window = LiveWindow();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (window == nullptr || !GetWindowPlacement(window, &placement)) {
    console_.Line("placement: none");
    return;
  }
  const RECT& normal = placement.rcNormalPosition;
  console_.Line("placement: showcmd=" + std::to_string(placement.showCmd) +
                " normal=" + std::to_string(normal.left) + "," + std::to_string(normal.top) + "," +
                std::to_string(normal.right) + "," + std::to_string(normal.bottom));
}

void HostSession::Type(std::string_view text) {
  const HWND window = LiveWindow();
  const HWND edit = window != nullptr ? FindDescendant(window, "edit") : nullptr;
  if (edit == nullptr) {
    console_.Line("type: none");
    return;
  }
  const std::string typed(text);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  console_.Line("type: done");
}

void HostSession::Move(int left, int top, int right, int bottom) {
  const HWND window = LiveWindow();
  if (window == nullptr) {
    console_.Line("move: none");
    return;
  }
  MoveWindow(window, left, top, right - left, bottom - top, TRUE);
  console_.Line("move: done");
}

void HostSession::RegDump() {
  const std::vector<std::string> values = DumpPlacementSection();
  if (values.empty()) {
    console_.Line("reg: none");
  }
  for (const std::string& value : values) {
    console_.Line("reg: " + value);
  }
}

void HostSession::RegSetDword(std::string_view name, DWORD value) {
  SetPlacementDword(name, value);
  console_.Line("reg-set-dword: " + std::string(name) + "=" + std::to_string(value));
}

void HostSession::RegSetSz(std::string_view name, std::string_view text) {
  SetPlacementString(name, text);
  console_.Line("reg-set-sz: " + std::string(name) + "=" + std::string(text));
}

void HostSession::RegDeleteKey() {
  console_.Line(DeleteHostKey() ? "reg-delete-key: done" : "reg-delete-key: none");
}

void HostSession::Stay() {
  const StopSignal stop;
  PumpWhileWindowLives(window_, stop.event());
}

void HostSession::Finish() {
  exports_.release();
  if (!PumpUntilGone(window_, kReleaseTimeout)) {
    module_.KeepLoaded();
    finished_ = true;
    throw HostError(ExitCode::kWindowStuck, "the module window still exists 10 s after _Release");
  }
  finished_ = true;
  console_.Line("released");
}

void HostSession::HookCreate(std::string_view class_name, CreationHook::Action action) {
  creation_hook_.reset();
  creation_hook_ = std::make_unique<CreationHook>(std::string(class_name), action);
  console_.Line((action == CreationHook::Action::kRefuse ? "refuse-create: " : "close-on-create: ") +
                std::string(class_name));
}

void HostSession::AllowCreate() {
  const int hits = creation_hook_ ? creation_hook_->Hits() : 0;
  const int menus_left = creation_hook_ ? creation_hook_->MenusLeft() : 0;
  creation_hook_.reset();
  console_.Line("allow-create: hits=" + std::to_string(hits) + " menus-left=" + std::to_string(menus_left));
}

void HostSession::WindowsOf(std::string_view class_name) {
  console_.Line("windows-of: " + std::string(class_name) + " " +
                std::to_string(CountThreadWindows(class_name)));
}

void HostSession::Broadcast() {
  console_.Line("broadcast: " + std::to_string(BroadcastToThreadWindows()) + " windows");
}

void HostSession::Reload(int times, bool wait_for_window) {
  const ReloadOutcome outcome = ReloadModule(module_.path(), record_, times, wait_for_window);
  console_.Line("reload: loads=" + std::to_string(outcome.loads) + " addresses=" +
                std::to_string(outcome.addresses) + " windows=" + std::to_string(outcome.windows) +
                " windows-left=" + std::to_string(outcome.windows_left) +
                " classes-left=" + std::to_string(outcome.classes_left));
}

}  // namespace zqthost
