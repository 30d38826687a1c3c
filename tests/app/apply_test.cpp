#include <gtest/gtest.h>

#include "app/cleanerdlg.h"
#include "res/resource.h"
#include "support/main_dialog.h"

namespace {

struct Order {
  const char* system;
  int win95, win98, winme, nt4, nt5;
  std::vector<std::string> removers;
};

class ApplyOrderBySystem : public ::testing::TestWithParam<Order> {};

TEST_P(ApplyOrderBySystem, RunsTheRemoversOfItsGroupInTheirOrder) {
  const Order& o = GetParam();
  CCleanerDlg dlg;
  dlg.m_bWin95 = o.win95;
  dlg.m_bWin98 = o.win98;
  dlg.m_bWinME = o.winme;
  dlg.m_bNT4 = o.nt4;
  dlg.m_bNT5 = o.nt5;
  EXPECT_EQ(o.removers, dlg.ApplyOrder()) << o.system;
}

INSTANTIATE_TEST_SUITE_P(
    Systems, ApplyOrderBySystem,
    ::testing::Values(
        Order{"Windows 95", 1, 0, 0, 0, 0,
              {"SCSI", "INF", "event manager", "system files", "EPP", "scanner detector"}},
        Order{"Windows 98", 0, 1, 0, 0, 0,
              {"still-image", "SCSI", "1394", "INF", "event manager", "system files", "EPP", "USB",
               "scanner detector"}},
        Order{"Windows ME", 0, 0, 1, 0, 0,
              {"still-image", "SCSI", "1394", "INF", "event manager", "system files", "EPP", "USB",
               "scanner detector"}},
        Order{"NT 5", 0, 0, 0, 0, 1,
              {"still-image", "1394", "INF", "event manager", "system files", "EPP", "USB",
               "scanner detector"}},
        // NT 4.0 with Service Pack 6 sets both NT flags: group A runs, never the ASPI step.
        Order{"NT 4.0 and NT 5", 0, 0, 0, 1, 1,
              {"still-image", "1394", "INF", "event manager", "system files", "EPP", "USB",
               "scanner detector"}},
        Order{"NT 4.0", 0, 0, 0, 1, 0, {"ASPI", "EPP", "system files", "scanner detector"}},
        Order{"no flag", 0, 0, 0, 0, 0, {"scanner detector"}}));

TEST(Apply, WithNothingCheckedRemovesNothingButMarksTheDialogCleaned) {
  testing_support::MainDialog dlg;
  EXPECT_EQ(0, dlg->m_bCleaned);
  dlg.Click(IDC_APPLY);
  EXPECT_EQ(1, dlg->m_bCleaned);
  dlg.Click(IDC_SELECTALL);
  EXPECT_EQ(0, dlg->m_bCleaned);
}

}  // namespace
