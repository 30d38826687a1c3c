// The driver itself: what the suites rely on to never hang and never leave a program behind.
#include <gtest/gtest.h>

#include "e2e/scenario.h"

namespace e2e {
namespace {

TEST(DriverTest, LaunchOfAMissingProgramFailsAndLeavesNothingToWaitFor) {
  Program program(OwnDirectory() + "\\NoSuchProgram.exe");
  EXPECT_FALSE(program.Launch("winxp"));
  EXPECT_FALSE(program.Running());
  EXPECT_FALSE(program.WaitForExit(100));
  EXPECT_EQ(nullptr, program.WaitForAnyWindow(100));
  SetEmulatedVersion("NoSuchProgram.exe", "");
}

TEST(DriverTest, WaitsGiveUpWhenTheirTimeIsUp) {
  Program program;
  ASSERT_TRUE(program.Launch("win98"));
  ASSERT_NE(nullptr, program.WaitForWindow(kUnplugCaption));
  const DWORD start = ::GetTickCount();
  EXPECT_EQ(nullptr, program.WaitForWindow("No Such Window", 300));
  EXPECT_FALSE(program.WaitForExit(300));
  const DWORD spent = ::GetTickCount() - start;
  EXPECT_GE(spent, 600u);
  EXPECT_LT(spent, 3000u);
}

TEST(DriverTest, AProgramStillRunningIsKilledWhenItsRunEnds) {
  HANDLE process = nullptr;
  {
    Program program;
    ASSERT_TRUE(program.Launch("winme"));
    ASSERT_NE(nullptr, program.WaitForAnyWindow());
    process = ::OpenProcess(SYNCHRONIZE, FALSE, program.Id());
    ASSERT_NE(nullptr, process);
  }
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process, 0));
  ::CloseHandle(process);
}

TEST(DriverTest, EmulatedVersionIsWrittenForOneProgramAndRemovedAgain) {
  const char kName[] = "DriverTestProbe.exe";
  SetEmulatedVersion(kName, "nt40");
  EXPECT_EQ("nt40", EmulatedVersion(kName));
  EXPECT_EQ("", EmulatedVersion("OtherProbe.exe"));
  SetEmulatedVersion(kName, "");
  EXPECT_EQ("", EmulatedVersion(kName));
}

TEST(DriverTest, LineBreaksAreNormalised) {
  EXPECT_EQ("a\nb\nc\n\nd", NormaliseLineBreaks("a\r\nb\rc\n\r\nd"));
}

}  // namespace
}  // namespace e2e
