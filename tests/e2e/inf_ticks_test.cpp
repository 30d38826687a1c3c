// The INF Detail list from outside, on Windows 2000 and XP: of four listed files the user
// unticks the last two; a ticked one goes by another hand (the maker's uninstaller); Apply;
// Detail again, OK, Apply. The unticked files are still there: a tick belongs to its file.
#include <gtest/gtest.h>

#include "e2e/scenario.h"
#include "e2e/seeded_system.h"
#include "res/resource.h"
#include "support/registry_fixture.h"

namespace e2e {
namespace {

std::string Inf(int i) {
  return testing_support::WindowsDir() + "\\INF\\QlTick" + std::to_string(i) + ".inf";
}

// Opens the INF Detail list, waits for `rows` rows, unticks `untick` and presses OK.
void Detail(Program& program, HWND main, int rows, std::initializer_list<int> untick) {
  Command(main, IDC_DETAIL_INF);
  HWND detail = program.WaitForWindow("Detail Items");
  ASSERT_TRUE(detail);
  HWND list = Control(detail, IDC_DETAIL_LIST);
  ASSERT_TRUE(WaitUntil([&] { return RowCount(list) == rows; })) << RowCount(list);
  for (int row : untick) {
    ASSERT_TRUE(PressTick(list, row));
    ASSERT_TRUE(WaitUntil([&] { return ::SendMessageA(list, LB_GETCURSEL, 0, 0) == row; }));
  }
  Click(detail, IDOK);
  ASSERT_TRUE(program.WaitForWindowGone(detail));
}

class InfDetailTicks : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    SeedTwainFiles();
    std::string settings = "[INF]\r\nTotal=4\r\n";
    for (int i = 0; i < 4; ++i) {
      testing_support::WriteFile(Inf(i), "x");
      settings += std::to_string(i + 1) + "=QlTick" + std::to_string(i) + ".inf\r\n";
    }
    testing_support::WriteFile(OwnDirectory() + "\\..\\DrvPurge.ini", settings);
  }
  void TearDown() override {
    for (int i = 0; i < 4; ++i) testing_support::RemoveFile(Inf(i));
    ClearSeededSystem();
  }
};

TEST_P(InfDetailTicks, UntickedFilesStayWhenATickedOneWentByAnotherHand) {
  Program program;
  HWND main = OpenMainDialog(program, Version(GetParam()));
  ASSERT_TRUE(main);
  Detail(program, main, 4, {2, 3});
  testing_support::RemoveFile(Inf(1));
  Command(main, IDC_APPLY);
  Detail(program, main, 2, {});
  Command(main, IDC_APPLY);
  // Exit is queued behind the second Apply: its prompt comes once that run is over.
  Click(main, IDOK);
  HWND prompt = program.WaitForWindow(kRestartCaption);
  ASSERT_TRUE(prompt);
  EXPECT_FALSE(testing_support::FilePresent(Inf(0)));
  EXPECT_TRUE(testing_support::FilePresent(Inf(2)));
  EXPECT_TRUE(testing_support::FilePresent(Inf(3)));
  Answer(prompt, IDNO);
  EXPECT_TRUE(program.WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(Versions, InfDetailTicks, ::testing::Values("win2k", "winxp"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

}  // namespace
}  // namespace e2e
