// A read-only INF file named in DrvPurge.ini, Select All, Apply: the framework's file-error
// box, then one box owned by the main window naming what is still there, and Exit's prompt
// says that some items stayed. The system files' step, after the INF files', never runs.
#include <gtest/gtest.h>

#include "e2e/scenario.h"
#include "e2e/seeded_system.h"
#include "res/resource.h"
#include "support/registry_fixture.h"

namespace e2e {
namespace {

class StayedTest : public ::testing::TestWithParam<WindowsVersion> {
 protected:
  void TearDown() override { ClearSeededSystem(); }
};

TEST_P(StayedTest, TheFileErrorThenOneBoxNamesWhatStaysAndExitSaysSo) {
  const std::string program = ProgramPath(), inf = testing_support::WindowsDir() + "\\INF\\QlScan.inf";
  testing_support::WriteFile(program.substr(0, program.rfind('\\')) + "\\DrvPurge.ini",
                             "[INF]\r\nTotal=1\r\n1=QlScan.inf\r\n");
  testing_support::WriteFile(inf);
  ::SetFileAttributesA(inf.c_str(), FILE_ATTRIBUTE_READONLY);
  SeedTwainFiles();
  Program run;
  HWND main = OpenMainDialog(run, GetParam());
  ASSERT_TRUE(main);
  Command(main, IDC_SELECTALL);
  ASSERT_TRUE(WaitUntil([&] { return CheckState(main, IDC_CHK_INF) == BST_CHECKED; }));
  Command(main, IDC_APPLY);

  HWND error = run.WaitForWindow("DrvPurge");
  ASSERT_TRUE(error);
  EXPECT_EQ("Access to an unnamed file was denied.", MessageText(error));
  Answer(error, IDOK);
  run.WaitForWindowGone(error);
  HWND stayed = run.WaitForWindow("DrvPurge");
  ASSERT_TRUE(stayed);
  EXPECT_EQ(main, ::GetWindow(stayed, GW_OWNER));
  EXPECT_EQ("DrvPurge could not remove everything you chose. Still there:\n\n"
            "INF for Quillmar Scanner: a file is in use or read-only.\n"
            "System Files: not tried, as the removal stopped at the file error.",
            NormaliseLineBreaks(MessageText(stayed)));
  Answer(stayed, IDOK);
  EXPECT_TRUE(testing_support::FilePresent(testing_support::WindowsDir() + "\\twain_32.dll"));

  Click(main, IDOK);
  HWND prompt = run.WaitForWindow(kRestartCaption);
  ASSERT_TRUE(prompt);
  EXPECT_EQ(kRestartTextSomeStayed, NormaliseLineBreaks(MessageText(prompt)));
  Answer(prompt, IDNO);
  EXPECT_TRUE(run.WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(Versions, StayedTest,
                         ::testing::Values(Version("win2k"), Version("winxp")), VersionName);

}  // namespace
}  // namespace e2e
