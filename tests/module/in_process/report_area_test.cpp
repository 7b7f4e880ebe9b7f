// The report text area of the real DLL loaded into this process: never stale to a reader, untouched by
// messages that only pass by, written at most every timer period while a pumping host logs, current once
// messages have run for 100 ms, and the operator's typing replaced by the next report.

#include <chrono>
#include <string>

#include "module_fixture.h"

namespace zqt::test {
namespace {

std::string TextOf(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The control's text as the EDIT class itself holds it, asked past the module's own window procedure.
std::string ControlOwnText(HWND edit) {
  WNDCLASSA edit_class{};
  GetClassInfoA(nullptr, "EDIT", &edit_class);
  char text[1024] = {};
  CallWindowProcA(edit_class.lpfnWndProc, edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string TotalLine(int qsos) {
  std::string count = std::to_string(qsos);
  return "Total\t" + std::string(count.size() < 4 ? 4 - count.size() : 0, ' ') + count + "\t";
}

class ReportAreaTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    edit_ = FindWindowExA(OpenWindow(), nullptr, "EDIT", nullptr);
    ASSERT_NE(edit_, nullptr);
  }

  int Add(const std::string& call) {
    WriteText(record_.CallSign, call);
    WriteText(record_.DigiBand, "20m");
    WriteText(record_.QSOMode, "RTTY");
    WriteText(record_.Continent, "NA");
    WriteText(record_.MainPrefix, "K1");
    WriteText(record_.DXCCPrefix, "K");
    return add_qso_(&record_);
  }

  void Type(const std::string& keys) {
    for (const char key : keys)
      SendMessageA(edit_, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(key)), 1);
  }

  HWND edit_ = nullptr;
};

TEST_F(ReportAreaTest, EveryReadRightAfterAddQsoGivesTheNewReportWhilePassingMessagesWriteNothing) {
  RECT area;
  GetWindowRect(edit_, &area);
  SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
  constexpr UINT kCaretBlink = 0x0118;  // the system timer that blinks the caret
  int qsos = 0;
  for (const UINT read : std::initializer_list<UINT>{WM_GETTEXT, WM_GETTEXTLENGTH, EM_GETLINE, WM_COPY}) {
    const std::string before = ControlOwnText(edit_);
    ASSERT_EQ(Add("K" + std::to_string(++qsos) + "AA"), 1);
    for (const UINT passing :
         std::initializer_list<UINT>{WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE, kCaretBlink})
      SendMessageA(edit_, passing, 0, MAKELPARAM(area.left + 5, area.top + 5));
    EXPECT_EQ(ControlOwnText(edit_), before) << read << ": rewritten by a message passing by";
    char text[1024] = {};
    *reinterpret_cast<WORD*>(text) = sizeof text;  // EM_GETLINE's buffer size
    SendMessageA(edit_, read, read == EM_GETLINE ? 1 : sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_NE(ControlOwnText(edit_).find(TotalLine(qsos)), std::string::npos) << read;
    if (read == WM_GETTEXT || read == EM_GETLINE) {
      EXPECT_NE(std::string(text).find(TotalLine(qsos)), std::string::npos) << read << ": " << text;
    }
  }
}

TEST_F(ReportAreaTest, APumpingHostGetsARewriteAtMostEveryTimerPeriodAndTheLatestReportWithin100ms) {
  std::string shown = ControlOwnText(edit_);
  int writes = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 200; ++i) {
    Add("DL" + std::to_string(i) + "A");
    Pump();
    const std::string now = ControlOwnText(edit_);
    writes += now != shown ? 1 : 0;
    shown = now;
  }
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_LE(writes, elapsed.count() / 50 + 2) << writes << " rewrites in " << elapsed.count() << " ms";
  Pump(std::chrono::milliseconds(100));
  shown = ControlOwnText(edit_);
  EXPECT_NE(shown.find(TotalLine(200)), std::string::npos) << shown;
  EXPECT_EQ(shown, TextOf(edit_));
}

TEST_F(ReportAreaTest, TypedTextIsOverwrittenByTheNextReportEvenADuplicate) {
  ASSERT_EQ(Add("K1AA"), 1);
  Pump();
  const std::string report = TextOf(edit_);
  Type("xyz");
  EXPECT_NE(TextOf(edit_), report);
  EXPECT_NE(TextOf(edit_).find("xyz"), std::string::npos);
  ASSERT_EQ(Add("K1AA"), -1);
  EXPECT_EQ(TextOf(edit_), report);

  // Typing while a report waits to be written: the report is written first, then the keys land in it, and
  // the next report replaces both.
  ASSERT_EQ(Add("K2AA"), 1);
  Type("q");
  EXPECT_NE(TextOf(edit_).find(TotalLine(2)), std::string::npos) << TextOf(edit_);
  EXPECT_NE(TextOf(edit_).find('q'), std::string::npos) << TextOf(edit_);
  ASSERT_EQ(Add("K3AA"), 1);
  Pump(std::chrono::milliseconds(100));
  EXPECT_EQ(ControlOwnText(edit_).find('q'), std::string::npos) << ControlOwnText(edit_);
  EXPECT_NE(ControlOwnText(edit_).find(TotalLine(3)), std::string::npos);

  // Text set from outside comes after the pending report, so it stays until the next report.
  ASSERT_EQ(Add("K4AA"), 1);
  SetWindowTextA(edit_, "typed");
  Pump();
  EXPECT_EQ(TextOf(edit_), "typed");
  ASSERT_EQ(Add("K4AA"), -1);
  EXPECT_NE(TextOf(edit_).find(TotalLine(4)), std::string::npos) << TextOf(edit_);
}

}  // namespace
}  // namespace zqt::test
