#include <gtest/gtest.h>

#include "app/cleanerdlg.h"
#include "framework/app.h"
#include "platform/system.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"
#include "support/registry_fixture.h"
#include "support/version_fake.h"

namespace {

struct Order {
  const char* system;
  unsigned windows;  // WindowsVersion flags
  std::vector<std::string> removers;
};

using W = WindowsVersion;

class ApplyOrderBySystem : public ::testing::TestWithParam<Order> {};

TEST_P(ApplyOrderBySystem, RunsTheRemoversOfItsGroupInTheirOrder) {
  const Order& o = GetParam();
  EXPECT_EQ(o.removers, CCleanerDlg::ApplyOrder(WindowsVersion(o.windows))) << o.system;
}

INSTANTIATE_TEST_SUITE_P(
    Systems, ApplyOrderBySystem,
    ::testing::Values(
        Order{"Windows 95", W::kWin95,
              {"SCSI", "INF", "event manager", "system files", "EPP", "scanner detector"}},
        Order{"Windows 98", W::kWin98,
              {"still-image", "SCSI", "1394", "INF", "event manager", "system files", "EPP", "USB",
               "scanner detector"}},
        Order{"Windows ME", W::kWinME,
              {"still-image", "SCSI", "1394", "INF", "event manager", "system files", "EPP", "USB",
               "scanner detector"}},
        Order{"NT 5", W::kNT5,
              {"still-image", "SCSI", "1394", "INF", "event manager", "system files", "EPP", "USB",
               "scanner detector"}},
        // NT 4.0 with Service Pack 6 sets both NT flags: group A runs, never the ASPI step.
        Order{"NT 4.0 and NT 5", W::kNT4 | W::kNT5,
              {"still-image", "SCSI", "1394", "INF", "event manager", "system files", "EPP", "USB",
               "scanner detector"}},
        Order{"NT 4.0", W::kNT4, {"ASPI", "EPP", "system files", "scanner detector"}},
        Order{"no flag", 0, {"scanner detector"}}));

TEST(Apply, WithNothingCheckedRemovesNothingButMarksTheDialogCleaned) {
  testing_support::MainDialog dlg;
  EXPECT_FALSE(dlg->Cleaned());
  dlg.Click(IDC_APPLY);
  EXPECT_TRUE(dlg->Cleaned());
  dlg.Click(IDC_SELECTALL);
  EXPECT_FALSE(dlg->Cleaned());
}

LONG WINAPI Refused(HKEY, LPCSTR) { return ERROR_ACCESS_DENIED; }

// The ASPI delete is refused as an access list refuses it: one box names the item and why,
// and the restart prompt says that some items stayed, until an Apply leaves nothing.
TEST(Apply, WhatWindowsRefusedIsNamedUntilAnApplyRemovesIt) {
  const char kAspi[] = "SYSTEM\\CurrentControlSet\\Services\\ASPI32";
  testing_support::FakeWindowsVersion nt4(testing_support::Windows::Nt40Basic);
  testing_support::ScopedRegistry registry({kAspi});
  testing_support::CreateKey(HKEY_LOCAL_MACHINE, kAspi);
  testing_support::MainDialog dlg;
  dlg.Click(IDC_CHK_ASPI);
  testing_support::DialogAnswerer answers;
  for (int answer : {IDOK, IDNO, IDNO}) answers.Press(answer);
  platform::System().RegDeleteKeyA = &Refused;
  dlg.Click(IDC_APPLY);
  dlg->PromptRestart();
  platform::System().RegDeleteKeyA = platform::RealSystem().RegDeleteKeyA;
  dlg.Click(IDC_APPLY);
  dlg->PromptRestart();

  ASSERT_EQ(3u, answers.Seen().size());
  EXPECT_EQ("DrvPurge could not remove everything you chose. Still there:\n\n"
            "ASPI Registry for NT: Windows refused the removal.", answers.Seen()[0].text);
  EXPECT_EQ(fw::AppName(), answers.Seen()[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), answers.Seen()[0].icon);
  EXPECT_EQ(0u, answers.Seen()[1].text.find("Some items could not be removed. Windows must "
                                            "restart to apply what DrvPurge removed.\n\n"));
  EXPECT_EQ(0u, answers.Seen()[2].text.find("System is cleaned"));
}

}  // namespace
