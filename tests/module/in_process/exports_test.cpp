// The six exports as a host meets them, with the real DLL loaded into this process: what a careless host may
// pass, and the release that waits for the window's queued messages.

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

#include "module_fixture.h"

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

class ExportsTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    WriteText(record_.CallSign, "JA1ABC");
    WriteText(record_.DigiBand, "20m");
    WriteText(record_.QSOMode, "RTTY");
  }
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
  Pump(std::chrono::milliseconds(200));
  EXPECT_FALSE(IsWindow(window));

  const HWND next = static_cast<HWND>(run_(0, &record_));
  ASSERT_NE(next, nullptr) << "_Run after _Release opens a new window";
  EXPECT_EQ(get_score_(&record_), 1) << "the new window starts from the empty log";
}

// A host that destroys the module's window itself while the first show's rebuild lets messages run: the
// window object outlives its native window until the rebuild has returned, and the module goes on without it.
void CALLBACK DestroyModuleWindow(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  DestroyWindow(FindWindowA("TfmMainForm", nullptr));
}

TEST_F(ExportsTest, WindowDestroyedByTheHostInsideARebuild) {
  Connect();
  SetTimer(nullptr, 0, USER_TIMER_MINIMUM, DestroyModuleWindow);
  Sleep(50);  // due when the rebuild first lets messages run
  const HWND window = static_cast<HWND>(run_(0, &record_));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(get_score_(&record_), 0) << "no window is open";
  ASSERT_NE(run_(0, &record_), nullptr);
  EXPECT_EQ(add_qso_(&record_), 1);
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
