#include <gtest/gtest.h>

#include "platform/system.h"
#include "res/resource.h"
#include "sysinfo/memory.h"
#include "support/main_dialog.h"

namespace {

SIZE_T g_phys, g_pageFile;

VOID WINAPI FakeMemoryStatus(LPMEMORYSTATUS status) {
  status->dwAvailPhys = g_phys;
  status->dwAvailPageFile = g_pageFile;
}

class MemoryFigures : public ::testing::Test {
 protected:
  void SetUp() override { platform::System().GlobalMemoryStatus = &FakeMemoryStatus; }
  platform::ScopedSystem m_restore;
};

TEST_F(MemoryFigures, ThresholdsTruncateAndChooseTheUnit) {
  g_phys = g_pageFile = 64u << 20;
  testing_support::MainDialog dlg;
  struct { SIZE_T bytes; const char* text; DWORD stored; } cases[] = {
      {0, "", 0},
      {2047, "", 2047},
      {2048, "2 KB", 2},
      {1048575, "1023 KB", 1023},
      {2097151, "2047 KB", 2047},
      {2097152, "2 MB", 2},
      {0xFFFFFFFFu, "4095 MB", 4095},
  };
  for (const auto& c : cases) {
    g_phys = c.bytes;
    g_pageFile = 1000;
    dlg->UpdateMemoryInfo();
    EXPECT_EQ(c.text, dlg.Text(IDC_PHYSMEM)) << c.bytes;
    EXPECT_EQ(c.text, FigureOf(static_cast<DWORD>(c.bytes)).m_strText) << c.bytes;
    EXPECT_EQ(c.stored, FigureOf(static_cast<DWORD>(c.bytes)).m_dwShown) << c.bytes;
    // Computed independently: a tiny page-file figure leaves its control empty.
    EXPECT_EQ("", dlg.Text(IDC_VIRTMEM));
    EXPECT_EQ(1000u, FigureOf(1000).m_dwShown);
  }
}

TEST_F(MemoryFigures, ShownBeforeTheFirstTickAndRefreshedByAnyTimerId) {
  g_phys = 300u << 20;
  g_pageFile = 5000;
  testing_support::MainDialog dlg;
  EXPECT_EQ("300 MB", dlg.Text(IDC_PHYSMEM));
  EXPECT_EQ("4 KB", dlg.Text(IDC_VIRTMEM));
  g_phys = 3000;
  ::SendMessageA(dlg->GetSafeHwnd(), WM_TIMER, 12345, 0);
  EXPECT_EQ("2 KB", dlg.Text(IDC_PHYSMEM));
}

}  // namespace
