// Leaving the main dialog every way a user can, before and after a cleaning run: which
// ways ask to restart Windows, the prompt's words, and that No ends the program.
#include <gtest/gtest.h>

#include "e2e/scenario.h"
#include "res/resource.h"

namespace e2e {
namespace {

enum class Leave {
  ExitButton,
  EnterKey,             // the focus on Exit, where the dialog puts it
  EnterKeyOnACheckBox,  // no push button has the focus: Enter goes to the default, Exit
  CancelButton,
  EscapeKey,
  CloseMessage,
  CloseCommand,
  AltF4
};

const char* const kLeaveNames[] = {"ExitButton",   "EnterKey",  "EnterKeyOnACheckBox",
                                   "CancelButton", "EscapeKey", "CloseMessage",
                                   "CloseCommand", "AltF4"};

void LeaveBy(HWND main, Leave way) {
  switch (way) {
    case Leave::ExitButton: Click(main, IDOK); break;
    case Leave::EnterKey: PressKey(main, Key::Enter); break;
    case Leave::EnterKeyOnACheckBox:
      // System Files is enabled on every version.
      ASSERT_TRUE(Focus(main, IDC_CHK_SYSFILES));
      PressKey(main, Key::Enter);
      break;
    case Leave::CancelButton: Click(main, IDCANCEL); break;
    case Leave::EscapeKey: PressKey(main, Key::Escape); break;
    case Leave::CloseMessage: Close(main); break;
    case Leave::CloseCommand: SysCommand(main, SC_CLOSE); break;
    case Leave::AltF4: PressAltF4(main); break;
  }
}

// Exit and closing the window ask once a cleaning run has happened; Cancel never asks.
bool AsksAfterCleaning(Leave way) { return way != Leave::CancelButton && way != Leave::EscapeKey; }

struct LeaveCase {
  WindowsVersion version;
  Leave way;
  bool applied;
};

std::vector<LeaveCase> LeaveCases() {
  std::vector<LeaveCase> cases;
  for (const WindowsVersion& version : Versions())
    for (int way = 0; way <= static_cast<int>(Leave::AltF4); ++way)
      for (bool applied : {false, true})
        cases.push_back({version, static_cast<Leave>(way), applied});
  return cases;
}

void PrintTo(const LeaveCase& test, std::ostream* out) {
  *out << test.version.name << ", " << kLeaveNames[static_cast<int>(test.way)]
       << (test.applied ? ", after Apply" : ", without Apply");
}

std::string LeaveCaseName(const ::testing::TestParamInfo<LeaveCase>& info) {
  return std::string(info.param.version.name) + "_" +
         kLeaveNames[static_cast<int>(info.param.way)] +
         (info.param.applied ? "_AfterApply" : "_WithoutApply");
}

class LeavingTest : public ::testing::TestWithParam<LeaveCase> {
 protected:
  Program m_program;
};

TEST_P(LeavingTest, AsksToRestartOnlyAfterACleaningRunAndEndsOnNo) {
  const LeaveCase& test = GetParam();
  HWND main = OpenMainDialog(m_program, test.version);
  ASSERT_NE(nullptr, main);
  // Apply by its command, so that the focus stays on Exit, where the Enter key finds it.
  if (test.applied) Command(main, IDC_APPLY);
  LeaveBy(main, test.way);
  if (HasFatalFailure()) return;

  if (test.applied && AsksAfterCleaning(test.way)) {
    HWND prompt = m_program.WaitForWindow(kRestartCaption);
    ASSERT_NE(nullptr, prompt) << "no restart prompt";
    EXPECT_EQ("#32770", ClassOf(prompt));
    EXPECT_EQ(kRestartText, NormaliseLineBreaks(MessageText(prompt)));
    EXPECT_NE(nullptr, Control(prompt, IDYES));
    EXPECT_NE(nullptr, Control(prompt, IDNO));
    EXPECT_EQ(nullptr, Control(prompt, IDCANCEL));
    EXPECT_TRUE(::GetWindowLongA(prompt, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal";
    EXPECT_TRUE(m_program.Running());
    Answer(prompt, IDNO);
  }

  ASSERT_TRUE(m_program.WaitForExit())
      << "still running; windows seen: " << ::testing::PrintToString(m_program.Seen());
  EXPECT_EQ(0u, m_program.ExitCode());
  if (!(test.applied && AsksAfterCleaning(test.way))) {
    EXPECT_FALSE(m_program.WasSeen(kRestartCaption));
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, LeavingTest, ::testing::ValuesIn(LeaveCases()), LeaveCaseName);

class SelectAllAfterApplyTest : public ::testing::TestWithParam<WindowsVersion> {
 protected:
  Program m_program;
};

TEST_P(SelectAllAfterApplyTest, ForgetsTheCleaningRunSoExitAsksNothing) {
  HWND main = OpenMainDialog(m_program, GetParam());
  ASSERT_NE(nullptr, main);
  Command(main, IDC_APPLY);
  Command(main, IDC_SELECTALL);
  Click(main, IDOK);
  ASSERT_TRUE(m_program.WaitForExit()) << ::testing::PrintToString(m_program.Seen());
  EXPECT_FALSE(m_program.WasSeen(kRestartCaption));
  EXPECT_EQ(0u, m_program.ExitCode());
}

INSTANTIATE_TEST_SUITE_P(Versions, SelectAllAfterApplyTest, ::testing::ValuesIn(Versions()),
                         VersionName);

}  // namespace
}  // namespace e2e
