#include "host_session.h"

#include <chrono>

#include "core/boundary_records.h"
#include "host_error.h"
#include "message_loop.h"
#include "module_window.h"
#include "record_builder.h"
#include "screenshot.h"
#include "stop_signal.h"

namespace zqthost {
namespace {

constexpr auto kReleaseTimeout = std::chrono::seconds(10);
constexpr auto kWaitRowsTimeout = std::chrono::minutes(2);

}  // namespace

HostSession::HostSession(Console& console, const SessionOptions& options, OdbcLog& log, ContestModule& module)
    : console_(console), log_(log), module_(module), exports_(module.exports()), table_(options.table) {
  record_.Connection = ConnectionField(log.connection());
  zqt::WriteText(record_.LogTable, options.table);
  zqt::WriteText(record_.CaptionPrefix, options.caption_prefix);
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

HWND HostSession::window() const {
  return window_ != nullptr && IsWindow(window_) ? window_ : nullptr;
}

void HostSession::Info(TPluginInfo& info) {
  exports_.get_info(&info);
  console_.Line("info: name=" + std::string(zqt::TextView(info.PluginName)) + " kind=" +
                std::to_string(info.PluginKind) + " key=" + std::string(zqt::TextView(info.PluginKey)) +
                " version=" + std::to_string(info.PluginVersion));
}

void HostSession::Run() {
  window_ = static_cast<HWND>(exports_.run(0, &record_));
  console_.Line("run: window=" + HandleText(window_));
}

LogAnswers HostSession::Log(Qso qso) {
  SetQso(record_, qso);
  if (qso.exchange_sent.empty()) {
    ZqtText number{};
    exports_.grab_number(&record_, number);
    qso.exchange_sent = zqt::TextView(number);
  }
  LogAnswers answers;
  answers.get_score = exports_.get_score(&record_);
  if (answers.get_score == -1) {
    console_.Line("dupe: " + qso.call + " " + qso.band + " " + qso.mode);
  }
  log_.Insert(table_, qso);
  answers.add_qso = exports_.add_qso(&record_);
  DrainMessages();
  return answers;
}

void HostSession::Finish() {
  exports_.release();
  finished_ = true;
  if (!PumpUntilGone(window_, kReleaseTimeout)) {
    module_.KeepLoaded();
    throw HostError(ExitCode::kWindowStuck, "the module window still exists 10 s after _Release");
  }
  console_.Line("released");
}

void HostSession::Report() {
  console_.Line(FormatReport(ReadReport(window())));
}

void HostSession::Screenshot(const std::string& path) {
  const HWND shown = window();
  if (shown == nullptr) {
    console_.Line("screenshot: none");
    return;
  }
  RedrawWindow(shown, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  DrainMessages();
  SaveWindowScreenshot(shown, path);
  console_.Line("screenshot: " + path);
}

long long HostSession::WaitRows(long long rows) {
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
  return count;
}

bool HostSession::Recalc() {
  const HWND shown = window();
  const HWND button = shown != nullptr ? FindDescendant(shown, "button") : nullptr;
  if (button == nullptr) {
    return false;
  }
  // Sent, not posted: the rebuild runs inside the call, and an error box it shows is answered before it
  // returns.
  SendMessageA(button, BM_CLICK, 0, 0);
  DrainMessages();
  return true;
}

void HostSession::Stay() {
  const StopSignal stop;
  PumpWhileWindowLives(window_, stop.event());
}

}  // namespace zqthost
