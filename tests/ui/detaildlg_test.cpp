#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/cleanerdlg.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"
#include "support/seeded_entries.h"
#include "support/version_fake.h"
#include "ui/detaildlg.h"
#include "ui/tick_support.h"

using namespace ui_test;

namespace {

TEST(DetailDialog, ShowsNothingAndCountsAsOkWhenToldNotToShow) {
  CSelectionList list = MakeList({{"a", 1}, {"b", 0}});
  testing_support::DialogAnswerer answerer;
  CDetailDlg detail(&list, nullptr, false);
  EXPECT_EQ(IDOK, detail.DoModal());
  EXPECT_TRUE(answerer.Seen().empty());  // no window at all
  EXPECT_EQ(nullptr, detail.TickList().GetSafeHwnd());
  EXPECT_EQ(nullptr, detail.TickList().List());
}

class DetailEnding : public ::testing::TestWithParam<End> {};

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

TEST(DetailDialog, RefusedRowsAreFreedAndTheOthersStillMarkTheirOwnEntries) {
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

// The main dialog on Windows XP with three entries of every category there.
class SeededMainDialog : public ::testing::Test {
 protected:
  void SetUp() override { m_dlg.reset(new testing_support::MainDialog); }

  testing_support::FakeWindowsVersion m_xp{testing_support::Windows::WinXp};
  testing_support::SeededEntries m_seeded;
  std::unique_ptr<testing_support::MainDialog> m_dlg;
};

// The Detail dialog as the main dialog runs it, for each category with a list.
struct Category {
  const char* name;
  CListedItem& (*item)(CCleanerDlg&);
  int box;
  int detail;
};

const Category kCategories[] = {
    {"STI", [](CCleanerDlg& d) -> CListedItem& { return d.StillImage(); }, IDC_CHK_STI,
     IDC_DETAIL_STI},
    {"SCSI", [](CCleanerDlg& d) -> CListedItem& { return d.Scsi(); }, IDC_CHK_SCSI,
     IDC_DETAIL_SCSI},
    {"USB", [](CCleanerDlg& d) -> CListedItem& { return d.Usb(); }, IDC_CHK_USB, IDC_DETAIL_USB},
    {"INF", [](CCleanerDlg& d) -> CListedItem& { return d.InfFiles(); }, IDC_CHK_INF,
     IDC_DETAIL_INF},
    {"SysFiles", [](CCleanerDlg& d) -> CListedItem& { return d.SystemFiles(); },
     IDC_CHK_SYSFILES, IDC_DETAIL_SYSFILES},
};

// Every box is checked by a click first, which builds its list.
class DetailFromMainDialog : public SeededMainDialog,
                             public ::testing::WithParamInterface<Category> {
 protected:
  void SetUp() override {
    SeededMainDialog::SetUp();
    for (const Category& c : kCategories) {
      ASSERT_TRUE(m_dlg->Enabled(c.box)) << c.name;
      m_dlg->Click(c.box);
      ASSERT_EQ(BST_CHECKED, m_dlg->Check(c.box)) << c.name;
      ASSERT_TRUE(Item(c).List()) << c.name;
      ASSERT_EQ(3u, Item(c).List()->size()) << c.name;
    }
  }
  CListedItem& Item(const Category& c) { return c.item(**m_dlg); }
  CListedItem& Item() { return Item(GetParam()); }
  CSelectionList& List() { return *Item().List(); }
  // One press of the category's Detail button that presses the tick of each row in `rows`.
  void Run(std::vector<int> rows, End how = End::kOK) {
    testing_support::DialogAnswerer answerer;
    answerer.Then([&](HWND dialog) {
      HWND box = ::GetDlgItem(dialog, IDC_DETAIL_LIST);
      for (int row : rows) Press(box, 10, RowRect(box, row).top + 8);
      Leave(dialog, how);
    });
    m_dlg->Click(GetParam().detail);
    ASSERT_EQ(1, DetailsSeen(answerer));
  }
  int OtherRecords() {
    int sum = 0;
    for (const Category& c : kCategories)
      if (c.box != GetParam().box) sum += Item(c).Checked();
    return sum;
  }
};

TEST_P(DetailFromMainDialog, OkSetsTheBoxFromTheMarksAndEscapeLeavesIt) {
  const Category& c = GetParam();
  Run({1});
  EXPECT_EQ(BST_INDETERMINATE, m_dlg->Check(c.box));
  EXPECT_TRUE(Item().Checked());

  Run({1});
  EXPECT_EQ(BST_CHECKED, m_dlg->Check(c.box));
  EXPECT_TRUE(Item().Checked());

  Run({0, 1, 2});
  EXPECT_EQ(BST_UNCHECKED, m_dlg->Check(c.box));
  EXPECT_FALSE(Item().Checked());
  EXPECT_EQ(4, OtherRecords());

  Run({2}, End::kEscape);
  EXPECT_EQ(1, List()[2]->m_bSelected);
  EXPECT_EQ(BST_UNCHECKED, m_dlg->Check(c.box));
}

// Select All runs the Detail routines while g_bShowDetail is clear.
TEST_P(DetailFromMainDialog, HiddenRunSetsTheBoxAtOnceAndAnEmptyListChangesNothing) {
  const Category& c = GetParam();
  ShowDetail hidden(0);
  testing_support::DialogAnswerer answerer;
  List()[0]->m_bSelected = 0;
  m_dlg->Click(c.detail);
  EXPECT_EQ(BST_INDETERMINATE, m_dlg->Check(c.box));

  // The system files' list is only ever added to.
  m_seeded.Remove();
  List().clear();
  m_dlg->Click(c.detail);
  EXPECT_TRUE(List().empty());
  EXPECT_EQ(BST_INDETERMINATE, m_dlg->Check(c.box));
  EXPECT_TRUE(Item().Checked());
  EXPECT_EQ(0, DetailsSeen(answerer));
}

INSTANTIATE_TEST_SUITE_P(Categories, DetailFromMainDialog, ::testing::ValuesIn(kCategories),
                         [](const ::testing::TestParamInfo<Category>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(SeededMainDialog, DetailButtonUntickingEverySystemFileUnchecksItsBox) {
  testing_support::MainDialog& dlg = *m_dlg;
  dlg.Click(IDC_CHK_SYSFILES);
  ASSERT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_SYSFILES));
  testing_support::DialogAnswerer answerer;
  answerer.Then([](HWND dialog) {
    HWND box = ::GetDlgItem(dialog, IDC_DETAIL_LIST);
    for (int row = 0; row < ::SendMessageA(box, LB_GETCOUNT, 0, 0); ++row)
      if (ItemOf(box, row)->m_nBitmapId == IDB_TICK) Press(box, 10, RowRect(box, row).top + 8);
    Leave(dialog, End::kOK);
  });
  dlg.Click(IDC_DETAIL_SYSFILES);
  ASSERT_EQ(1, DetailsSeen(answerer));
  ASSERT_FALSE(dlg->SystemFiles().List()->empty());
  for (const auto& entry : *dlg->SystemFiles().List()) EXPECT_EQ(0, entry->m_bSelected);
  EXPECT_EQ(BST_UNCHECKED, dlg.Check(IDC_CHK_SYSFILES));
  EXPECT_FALSE(dlg->SystemFiles().Checked());
}

}  // namespace
