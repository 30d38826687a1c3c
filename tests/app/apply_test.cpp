#include <gtest/gtest.h>

#include "app/cleanerdlg.h"
#include "res/resource.h"
#include "support/main_dialog.h"

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

}  // namespace
