#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cleanerdlg.h"
#include "app/globals.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"
#include "ui/detaildlg.h"
#include "ui/tick_support.h"

using namespace ui_test;

namespace {

class DetailDialog : public ::testing::Test {
 protected:
  ShowDetail m_show{1};
};

TEST_F(DetailDialog, ShowsNothingAndCountsAsOkWhileShowDetailIsClear) {
  ShowDetail hidden(0);
  CSelectionList list = MakeList({{"a", 1}, {"b", 0}});
  testing_support::DialogAnswerer answerer;
  CDetailDlg detail;
  detail.m_pList = &list;
  EXPECT_EQ(IDOK, detail.DoModal());
  EXPECT_TRUE(answerer.Seen().empty());  // no window at all
  EXPECT_EQ(nullptr, detail.m_listItems.GetSafeHwnd());
  EXPECT_EQ(nullptr, detail.m_listItems.m_pList);
}

class DetailEnding : public ::testing::TestWithParam<End> {
 protected:
  ShowDetail m_show{1};
};

TEST_P(DetailEnding, ShowsOneRowPerEntryInListOrderAndKeepsEveryToggle) {
  CSelectionList list = MakeList({{"zeta", 1}, {"Alpha", 0}, {"mid", 1}});
  std::string caption;
  std::vector<std::string> texts;
  std::vector<int> bitmaps;
  INT_PTR result = RunDetail(
      &list,
      [&](HWND dialog, HWND box) {
        caption = testing_support::WindowText(dialog);
        for (int row = 0; row < ::SendMessageA(box, LB_GETCOUNT, 0, 0); ++row) {
          texts.push_back(ItemOf(box, row)->m_strText);
          bitmaps.push_back(ItemOf(box, row)->m_nBitmapId);
        }
        Press(box, 10, RowRect(box, 0).top + 8);
        Press(box, 10, RowRect(box, 1).top + 8);
      },
      GetParam());
  EXPECT_EQ(GetParam() == End::kOK ? IDOK : IDCANCEL, result);
  EXPECT_EQ("Detail Items", caption);
  EXPECT_EQ((std::vector<std::string>{"zeta", "Alpha", "mid"}), texts);
  EXPECT_EQ((std::vector<int>{IDB_TICK, IDB_NOTICK, IDB_TICK}), bitmaps);
  EXPECT_EQ(0, list[0]->m_bSelected);
  EXPECT_EQ(1, list[1]->m_bSelected);
  EXPECT_EQ(1, list[2]->m_bSelected);
}

INSTANTIATE_TEST_SUITE_P(Endings, DetailEnding,
                         ::testing::Values(End::kOK, End::kEscape, End::kCloseBox));

// Makes the Detail dialog's list box refuse chosen rows, as a list box does when it runs
// out of memory: subclassed from the moment it is created.
class RefusingListBox {
 public:
  explicit RefusingListBox(std::vector<LRESULT> answers) {
    s_answers = std::move(answers);
    s_calls = 0;
    m_hook = ::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
  }
  ~RefusingListBox() { ::UnhookWindowsHookEx(m_hook); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
      if (create->hMenu == reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DETAIL_LIST)))
        s_original = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            reinterpret_cast<HWND>(wParam), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == LB_ADDSTRING && s_calls < s_answers.size() && s_answers[s_calls++] < 0)
      return s_answers[s_calls - 1];
    return ::CallWindowProcA(s_original, window, message, wParam, lParam);
  }
  static std::vector<LRESULT> s_answers;
  static size_t s_calls;
  static WNDPROC s_original;
  HHOOK m_hook;
};
std::vector<LRESULT> RefusingListBox::s_answers;
size_t RefusingListBox::s_calls = 0;
WNDPROC RefusingListBox::s_original = nullptr;

TEST_F(DetailDialog, RefusedRowsAreFreedAndTheOthersStillMarkTheirOwnEntries) {
  CSelectionList list = MakeList({{"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}});
  const long before = CTickItem::Live();
  RefusingListBox refusing({0, LB_ERRSPACE, LB_ERR, 0});
  std::vector<std::string> texts;
  long during = 0;
  RunDetail(&list, [&](HWND, HWND box) {
    for (int row = 0; row < ::SendMessageA(box, LB_GETCOUNT, 0, 0); ++row)
      texts.push_back(ItemOf(box, row)->m_strText);
    during = CTickItem::Live() - before;
    Press(box, 10, RowRect(box, 1).top + 8);  // the row that shows "d"
  });
  EXPECT_EQ((std::vector<std::string>{"a", "d"}), texts);
  EXPECT_EQ(2, during);
  EXPECT_EQ(before, CTickItem::Live());
  EXPECT_EQ(1, list[1]->m_bSelected);
  EXPECT_EQ(1, list[2]->m_bSelected);
  EXPECT_EQ(0, list[3]->m_bSelected);
}

// The Detail dialog as the main dialog runs it, for each category with a list.
struct Category {
  const char* name;
  CSelectionListPtr CCleanerDlg::*list;
  int box;
  int CCleanerDlg::*record;
};

const Category kCategories[] = {
    {"STI", &CCleanerDlg::m_pSTIList, IDC_CHK_STI, &CCleanerDlg::m_bSTIChecked},
    {"SCSI", &CCleanerDlg::m_pSCSIList, IDC_CHK_SCSI, &CCleanerDlg::m_bSCSIChecked},
    {"USB", &CCleanerDlg::m_pUSBList, IDC_CHK_USB, &CCleanerDlg::m_bUSBChecked},
    {"INF", &CCleanerDlg::m_pINFList, IDC_CHK_INF, &CCleanerDlg::m_bINFChecked},
    {"SysFiles", &CCleanerDlg::m_pSysFilesList, IDC_CHK_SYSFILES, &CCleanerDlg::m_bSysFilesChecked},
};

class DetailFromMainDialog : public ::testing::TestWithParam<Category> {
 protected:
  void SetUp() override {
    for (const Category& c : kCategories) {
      ((*m_dlg).*c.list).reset(new CSelectionList(MakeList({{"x", 1}, {"y", 1}, {"z", 1}})));
      (*m_dlg).*c.record = 1;
      m_dlg->SetCheck(c.box, BST_CHECKED);
    }
  }
  CSelectionList& List() { return *((*m_dlg).*GetParam().list); }
  // One Detail run on the category's list that presses the tick of each row in `rows`.
  void Run(std::vector<int> rows, End how = End::kOK) {
    testing_support::DialogAnswerer answerer;
    answerer.Then([&](HWND dialog) {
      HWND box = ::GetDlgItem(dialog, IDC_DETAIL_LIST);
      for (int row : rows) Press(box, 10, RowRect(box, row).top + 8);
      Leave(dialog, how);
    });
    m_dlg->RunDetail(&List());
    ASSERT_EQ(1, DetailsSeen(answerer));
  }
  int OtherRecords() {
    int sum = 0;
    for (const Category& c : kCategories)
      if (c.list != GetParam().list) sum += (*m_dlg).*c.record;
    return sum;
  }

  ShowDetail m_show{1};
  testing_support::MainDialog m_dlg;
};

TEST_P(DetailFromMainDialog, OkSetsTheBoxFromTheMarksAndEscapeLeavesIt) {
  const Category& c = GetParam();
  Run({1});
  EXPECT_EQ(BST_INDETERMINATE, m_dlg.Check(c.box));
  EXPECT_EQ(1, (*m_dlg).*c.record);

  Run({1});
  EXPECT_EQ(BST_CHECKED, m_dlg.Check(c.box));
  EXPECT_EQ(1, (*m_dlg).*c.record);

  Run({0, 1, 2});
  EXPECT_EQ(BST_UNCHECKED, m_dlg.Check(c.box));
  EXPECT_EQ(0, (*m_dlg).*c.record);
  EXPECT_EQ(4, OtherRecords());

  Run({2}, End::kEscape);
  EXPECT_EQ(1, List()[2]->m_bSelected);
  EXPECT_EQ(BST_UNCHECKED, m_dlg.Check(c.box));
  EXPECT_EQ(0, (*m_dlg).*c.record);
}

TEST_P(DetailFromMainDialog, HiddenRunSetsTheBoxAtOnceAndAnEmptyListChangesNothing) {
  const Category& c = GetParam();
  ShowDetail hidden(0);
  testing_support::DialogAnswerer answerer;
  List()[0]->m_bSelected = 0;
  m_dlg->RunDetail(&List());
  EXPECT_EQ(BST_INDETERMINATE, m_dlg.Check(c.box));

  List().clear();
  m_dlg->RunDetail(&List());
  EXPECT_EQ(BST_INDETERMINATE, m_dlg.Check(c.box));
  EXPECT_EQ(1, (*m_dlg).*c.record);
  EXPECT_EQ(0, DetailsSeen(answerer));
}

INSTANTIATE_TEST_SUITE_P(Categories, DetailFromMainDialog, ::testing::ValuesIn(kCategories),
                         [](const ::testing::TestParamInfo<Category>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(DetailDialog, DetailButtonUntickingEverySystemFileUnchecksItsBox) {
  testing_support::MainDialog dlg;
  dlg->m_pSysFilesList.reset(new CSelectionList(
      MakeList({{"C:\\windows\\system32\\none1.dll", 1}, {"C:\\windows\\none2.dll", 1}})));
  dlg->SetCheck(IDC_CHK_SYSFILES, BST_CHECKED);
  testing_support::DialogAnswerer answerer;
  answerer.Then([](HWND dialog) {
    HWND box = ::GetDlgItem(dialog, IDC_DETAIL_LIST);
    for (int row = 0; row < ::SendMessageA(box, LB_GETCOUNT, 0, 0); ++row)
      if (ItemOf(box, row)->m_nBitmapId == IDB_TICK) Press(box, 10, RowRect(box, row).top + 8);
    Leave(dialog, End::kOK);
  });
  dlg.Click(IDC_DETAIL_SYSFILES);
  ASSERT_EQ(1, DetailsSeen(answerer));
  for (const auto& entry : *dlg->m_pSysFilesList) EXPECT_EQ(0, entry->m_bSelected);
  EXPECT_EQ(BST_UNCHECKED, dlg.Check(IDC_CHK_SYSFILES));
  EXPECT_EQ(0, dlg->m_bSysFilesChecked);
}

}  // namespace
