#pragma once
// The real DLL loaded into this test process with its six exports, a SQLite log of the test's own, and the
// message pumping a host does.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>

#include "ZQTRTTYContest.h"
#include "core/boundary_records.h"
#include "message_loop.h"
#include "support/log_table.h"
#include "support/sqlite_database.h"
#include "support/test_key.h"

namespace zqt::test {

template <class Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Dispatches every waiting message with the host's own loop until `duration` has passed.
inline void Pump(std::chrono::milliseconds duration = {}) {
  zqthost::PumpFor(duration);
}

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(module_, nullptr) << "cannot load " << ZQT_MODULE_DLL;
    WriteText(record_.LogTable, "Log");
  }

  void TearDown() override {
    release_();
    Pump(std::chrono::milliseconds(50));
  }

  // Gives the record a log that exists: an empty log table in the test's SQLite file.
  void Connect() {
    CreateLogTable(connection_, "Log");
    record_.Connection = static_cast<std::uint32_t>(connection_.RecordValue());
  }

  // Opens the window over the empty log and lets its first messages run.
  HWND OpenWindow() {
    Connect();
    const HWND window = static_cast<HWND>(run_(0, &record_));
    Pump();
    return window;
  }

  TestKey key_;
  TempDatabase database_;
  SqliteConnection connection_{database_};
  HMODULE module_ = LoadLibraryA(ZQT_MODULE_DLL);
  ZqtGetInfoFn get_info_ = Export<ZqtGetInfoFn>(module_, "_GetInfo");
  ZqtRunFn run_ = Export<ZqtRunFn>(module_, "_Run");
  ZqtGetScoreFn get_score_ = Export<ZqtGetScoreFn>(module_, "_GetScore");
  ZqtAddQSOFn add_qso_ = Export<ZqtAddQSOFn>(module_, "_AddQSO");
  ZqtGrabNumberFn grab_number_ = Export<ZqtGrabNumberFn>(module_, "_GrabNumber");
  ZqtReleaseFn release_ = Export<ZqtReleaseFn>(module_, "_Release");
  TContestData record_{};
};

}  // namespace zqt::test
