// The six exports as a host meets them, with the real DLL loaded into this process: what a careless host may
// pass, and the release that waits for the window's queued messages.

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "ZQTRTTYContest.h"
#include "core/boundary_records.h"
#include "support/log_table.h"
#include "support/sqlite_database.h"
#include "support/test_key.h"

namespace zqt::test {
namespace {

// Asks the window whether the session may end as the rebuild disables its button: the rebuild's own pump,
// after the query has opened, runs the question.
LRESULT CALLBACK AskEndAtTheRebuildsPump(int code, WPARAM wparam, LPARAM lparam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && sent->message == WM_ENABLE && sent->wParam == FALSE)
    PostMessageA(GetAncestor(sent->hwnd, GA_ROOT), WM_QUERYENDSESSION, 0, 0);
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

template <class Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class ExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(module_, nullptr) << "cannot load " << ZQT_MODULE_DLL;
    WriteText(record_.LogTable, "Log");
    WriteText(record_.CallSign, "JA1ABC");
    WriteText(record_.DigiBand, "20m");
    WriteText(record_.QSOMode, "RTTY");
  }

  void TearDown() override {
    release_();
    PumpFor(std::chrono::milliseconds(50));
  }

  // Gives the record a log that exists: an empty log table in a SQLite file of the test's own.
  void Connect() {
    CreateLogTable(connection_, "Log");
    record_.Connection = static_cast<std::uint32_t>(connection_.RecordValue());
  }

  static void PumpFor(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
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

TEST_F(ExportsTest, NullPointersAreNeverFollowed) {
  get_info_(nullptr);
  EXPECT_EQ(run_(0, nullptr), nullptr);
  EXPECT_EQ(get_score_(nullptr), 0);
  EXPECT_EQ(add_qso_(nullptr), 0);
  grab_number_(nullptr, nullptr);
  grab_number_(&record_, nullptr);
  std::array<std::uint8_t, 256> number;
  number.fill(0xAA);
  grab_number_(nullptr, number.data());
  EXPECT_EQ(number[0], 0);
  EXPECT_EQ(number[1], 0xAA) << "only the length byte is written";
}

TEST_F(ExportsTest, WithoutAWindowQsoCallsAnswerZeroAndReleaseDoesNothing) {
  release_();
  EXPECT_EQ(get_score_(&record_), 0);
  EXPECT_EQ(add_qso_(&record_), 0);
  release_();
}

TEST_F(ExportsTest, ReleaseDestroysTheWindowOnlyOnceItsMessagesRun) {
  Connect();
  const HWND window = static_cast<HWND>(run_(0, &record_));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(run_(0, &record_), window) << "a second _Run finds the same window";
  EXPECT_EQ(add_qso_(&record_), 1);

  release_();
  EXPECT_TRUE(IsWindow(window)) << "destroyed inside _Release";
  EXPECT_EQ(get_score_(&record_), 0) << "the module holds no window after _Release";
  PumpFor(std::chrono::milliseconds(200));
  EXPECT_FALSE(IsWindow(window));

  const HWND next = static_cast<HWND>(run_(0, &record_));
  ASSERT_NE(next, nullptr) << "_Run after _Release opens a new window";
  EXPECT_EQ(get_score_(&record_), 1) << "the new window starts from the empty log";
}

// The system may ask and then call the session's end off: the window stays, so that rebuild counts the log.
TEST_F(ExportsTest, SessionEndAskedDuringARebuildLeavesTheWholeLogCounted) {
  Connect();
  InsertQsos(connection_, "Log",
             {{"K1AA", "20M", "RTTY", "NA", "K1", "K"}, {"JA1XYZ", "15M", "RTTY", "AS", "JA1", "JA"}});
  const HHOOK hook =
      SetWindowsHookExA(WH_CALLWNDPROC, AskEndAtTheRebuildsPump, nullptr, GetCurrentThreadId());
  const HWND window = static_cast<HWND>(run_(0, &record_));
  UnhookWindowsHookEx(hook);
  std::array<char, 512> report{};
  GetWindowTextA(FindWindowExA(window, nullptr, "EDIT", nullptr), report.data(),
                 static_cast<int>(report.size()));
  EXPECT_NE(std::string(report.data()).find("Total\t   2\t"), std::string::npos) << report.data();
}

}  // namespace
}  // namespace zqt::test
