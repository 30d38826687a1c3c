// An Apply that cannot remove everything chosen, from outside: a read-only INF file named in
// DrvPurge.ini. The framework's file-error box comes first, then one box naming what is
// still there, and Exit's restart prompt says that some items stayed.
#include <gtest/gtest.h>

#include "e2e/scenario.h"
#include "e2e/seeded_system.h"
#include "res/resource.h"
#include "support/registry_fixture.h"

namespace e2e {
namespace {

class StayedTest : public ::testing::TestWithParam<WindowsVersion> {
 protected:
  void SetUp() override {
    const std::string program = ProgramPath();
    testing_support::WriteFile(program.substr(0, program.rfind('\\')) + "\\DrvPurge.ini",
                               "[INF]\r\nTotal=1\r\n1=QlScan.inf\r\n");
    m_inf = testing_support::WindowsDir() + "\\INF\\QlScan.inf";
    testing_support::WriteFile(m_inf, "[Version]\r\n");
    ::SetFileAttributesA(m_inf.c_str(), FILE_ATTRIBUTE_READONLY);
    // The system files, whose step comes after the INF files'.
    SeedTwainFiles();
  }
  void TearDown() override { ClearSeededSystem(); }

  // The next message box of the program once `previous` has gone.
  HWND NextBox(HWND previous) {
    if (previous) m_program.WaitForWindowGone(previous);
    return m_program.WaitForWindow("DrvPurge");
  }

  Program m_program;
  std::string m_inf;
};

TEST_P(StayedTest, TheFileErrorThenOneBoxNamesWhatStaysAndExitSaysSo) {
  HWND main = OpenMainDialog(m_program, GetParam());
  ASSERT_TRUE(main);
  Command(main, IDC_SELECTALL);
  ASSERT_TRUE(WaitUntil([&] { return CheckState(main, IDC_CHK_INF) == BST_CHECKED; }));
  ASSERT_EQ(BST_CHECKED, CheckState(main, IDC_CHK_SYSFILES));
  Command(main, IDC_APPLY);

  HWND error = NextBox(nullptr);
  ASSERT_TRUE(error) << ::testing::PrintToString(m_program.Seen());
  EXPECT_EQ("Access to an unnamed file was denied.", MessageText(error));
  Answer(error, IDOK);
  HWND stayed = NextBox(error);
  ASSERT_TRUE(stayed) << ::testing::PrintToString(m_program.Seen());
  EXPECT_EQ(main, ::GetWindow(stayed, GW_OWNER));
  EXPECT_EQ(
      "DrvPurge could not remove everything you chose. Still there:\n\n"
      "INF for Quillmar Scanner: a file is in use or read-only.\n"
      "System Files: not tried, as the removal stopped at the file error.",
      NormaliseLineBreaks(MessageText(stayed)));
  Answer(stayed, IDOK);
  ASSERT_TRUE(m_program.WaitForWindowGone(stayed));

  EXPECT_TRUE(testing_support::FilePresent(m_inf));
  EXPECT_TRUE(testing_support::FilePresent(testing_support::WindowsDir() + "\\twain_32.dll"));
  EXPECT_EQ(BST_CHECKED, CheckState(main, IDC_CHK_INF));

  Click(main, IDOK);
  HWND prompt = m_program.WaitForWindow(kRestartCaption);
  ASSERT_TRUE(prompt) << "no restart prompt";
  EXPECT_EQ(kRestartTextSomeStayed, NormaliseLineBreaks(MessageText(prompt)));
  Answer(prompt, IDNO);
  EXPECT_TRUE(m_program.WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(Versions, StayedTest,
                         ::testing::Values(Version("win2k"), Version("winxp")), VersionName);

}  // namespace
}  // namespace e2e
