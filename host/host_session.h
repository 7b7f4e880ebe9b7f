#pragma once
// One run of the host against the module, as a logging program drives it: the record it passes, the six
// calls in their order, and the module window, each step printing its result line.

#include <windows.h>

#include <string>

#include "ZQTRTTYContest.h"
#include "console.h"
#include "module_loader.h"
#include "odbc_log.h"
#include "options.h"
#include "qso_line.h"

namespace zqthost {

// What the module answered for one logged QSO.
struct LogAnswers {
  int get_score = 0;
  int add_qso = 0;
};

class HostSession {
 public:
  // Throws HostError (ExitCode::kOdbc) when the connection handle does not fit the record's 32-bit field.
  HostSession(Console& console, const SessionOptions& options, OdbcLog& log, ContestModule& module);
  // After a failure: releases the module and waits for its window, keeping the library loaded if it stays.
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // _GetInfo into `info`: "info: name=.. kind=.. key=.. version=..".
  void Info(TPluginInfo& info);
  // _Run, which opens the window (or raises the open one): "run: window=0x..".
  void Run();
  // One QSO as a logging program logs it: _GrabNumber for the exchange to send when the QSO has none,
  // _GetScore ("dupe: <call> <band> <mode>" for -1), the row inserted into the log table, _AddQSO, then the
  // waiting messages pumped.
  LogAnswers Log(Qso qso);
  // _Release, then pumps until the window is destroyed (10 s at most): "released". Throws HostError
  // (ExitCode::kWindowStuck) when it stays, and then keeps the library loaded.
  void Finish();

  // "report:", the window's lines, "end report"; or "report: none".
  void Report();
  // Saves the window as a BMP: "screenshot: <path>", or "screenshot: none" without a window.
  void Screenshot(const std::string& path);
  // Pumps messages until the log table holds at least `rows` rows (other positions logging into it too), and
  // returns how many it holds; after two minutes throws HostError.
  long long WaitRows(long long rows);
  // Clicks "Recalc Statistic" and returns once its rebuild has run; false without a window.
  bool Recalc();
  // Keeps the message loop running until the module window is gone or the operator stops the host.
  void Stay();

  // The record every call passes, for programs built on the host that change it.
  TContestData& record() { return record_; }
  // The window the last _Run returned while it exists, else nothing.
  HWND window() const;

 private:
  Console& console_;
  OdbcLog& log_;
  ContestModule& module_;
  const ModuleExports& exports_;
  std::string table_;
  TContestData record_{};
  HWND window_ = nullptr;
  bool finished_ = false;
};

}  // namespace zqthost
