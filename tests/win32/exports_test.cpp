// The six exports as a host meets them, with the real DLL loaded into this process: what a careless host may
// pass, and the release that waits for the window's queued messages.

#include <array>
#include <chrono>
#include <cstdint>

#include "module_fixture.h"

namespace zqt::test {
namespace {

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

}  // namespace
}  // namespace zqt::test
