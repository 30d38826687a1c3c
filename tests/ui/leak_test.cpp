#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/gdi.h"
#include "res/resource.h"
#include "support/window_count.h"
#include "ui/detaildlg.h"
#include "ui/tick_support.h"

using namespace ui_test;

namespace {

// The process's GDI table, filled but for a few thousand slots while these tests run:
// counting the free slots is then quick and sees a leak by any code, through the
// framework or not, and a leak that goes on long enough makes the painting fail.
class GdiTable {
 public:
  static void FillAllBut(size_t spare) {
    while (HGDIOBJ brush = ::CreateSolidBrush(RGB(1, 2, 3))) s_held.push_back(brush);
    for (size_t i = 0; i < spare && !s_held.empty(); ++i) {
      ::DeleteObject(s_held.back());
      s_held.pop_back();
    }
  }
  static void Release() {
    for (HGDIOBJ brush : s_held) ::DeleteObject(brush);
    s_held.clear();
  }
  static size_t FreeSlots() {
    std::vector<HGDIOBJ> made;
    while (HGDIOBJ brush = ::CreateSolidBrush(RGB(1, 2, 3))) made.push_back(brush);
    for (HGDIOBJ brush : made) ::DeleteObject(brush);
    return made.size();
  }

 private:
  static std::vector<HGDIOBJ> s_held;
};
std::vector<HGDIOBJ> GdiTable::s_held;

using testing_support::ThreadWindows;

// Runs `body` on each dialog as soon as it is up: a posted message instead of the
// answerer's timer keeps a thousand runs quick.
class QuickAnswer {
 public:
  explicit QuickAnswer(std::function<void(HWND)> body) {
    s_body = std::move(body);
    WNDCLASSA type = {};
    type.lpfnWndProc = &Proc;
    type.hInstance = ::GetModuleHandleA(nullptr);
    type.lpszClassName = "DrvPurgeTests.QuickAnswer";
    ::RegisterClassA(&type);
    s_window = ::CreateWindowA(type.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               type.hInstance, nullptr);
    m_hook = ::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
  }
  ~QuickAnswer() {
    ::UnhookWindowsHookEx(m_hook);
    ::DestroyWindow(s_window);
  }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) ::PostMessageA(s_window, WM_APP, wParam, 0);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) return ::DefWindowProcA(window, message, wParam, lParam);
    if (::IsWindow(reinterpret_cast<HWND>(wParam))) s_body(reinterpret_cast<HWND>(wParam));
    return 0;
  }
  static std::function<void(HWND)> s_body;
  static HWND s_window;
  HHOOK m_hook;
};
std::function<void(HWND)> QuickAnswer::s_body;
HWND QuickAnswer::s_window = nullptr;

// Every run is checked exactly (windows, rows, framework objects, free GDI slots), so a
// single leaked object fails the test; a modal dialog costs about 50 ms under Wine here.
const int kRuns = 100;

class NoLeaks : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { GdiTable::FillAllBut(3000); }
  static void TearDownTestSuite() { GdiTable::Release(); }
};

TEST_F(NoLeaks, DetailRunsLeaveNoWindowRowOrGdiObject) {
  CSelectionList list = MakeList({{"first", 1}, {"second", 0}, {"third", 1}});
  int painted = 0;
  QuickAnswer answer([&](HWND dialog) {
    HWND box = ::GetDlgItem(dialog, IDC_DETAIL_LIST);
    // What the modal loop does once its queue is empty, done at once.
    ::ShowWindow(dialog, SW_SHOWNORMAL);
    ::UpdateWindow(box);
    Press(box, 10, 8);
    ::UpdateWindow(box);
    // The row was painted again after the press, so it loaded its other bitmap.
    if (ItemOf(box, 0)->m_nLoadedId == ItemOf(box, 0)->m_nBitmapId) ++painted;
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  auto run = [&] {
    CDetailDlg detail(&list);
    return detail.DoModal();
  };
  ASSERT_EQ(IDOK, run());  // warms up what the system caches on first use

  const long objects = fw::LiveGdiObjects(), rows = CTickItem::Live();
  const long windows = ThreadWindows();
  const size_t slots = GdiTable::FreeSlots();
  painted = 0;
  for (int i = 0; i < kRuns; ++i) ASSERT_EQ(IDOK, run()) << "run " << i;
  EXPECT_EQ(kRuns, painted);
  EXPECT_EQ(objects, fw::LiveGdiObjects());
  EXPECT_EQ(rows, CTickItem::Live());
  EXPECT_EQ(windows, ThreadWindows());
  EXPECT_EQ(slots, GdiTable::FreeSlots());
}

TEST_F(NoLeaks, FiveThousandRowPaintsLeaveNoGdiObjectAndTheLastStillDraws) {
  CSelectionList list = MakeList({{"first", 1}, {"second", 0}});
  const auto mask = TickMask();
  const long objects = fw::LiveGdiObjects();
  {
    CDetailDlg detail(&list);
    ASSERT_TRUE(detail.Create());
    HWND dialog = detail.GetSafeHwnd(), box = detail.GetDlgItem(IDC_DETAIL_LIST);
    Canvas canvas(120, 32, kGreen);
    PaintRow(dialog, canvas.dc(), 0, RowRect(box, 0));
    PaintRow(dialog, canvas.dc(), 1, RowRect(box, 1));
    const long rowBitmaps = fw::LiveGdiObjects();
    const size_t slots = GdiTable::FreeSlots();
    const RECT rows[2] = {RowRect(box, 0), RowRect(box, 1)};
    for (int i = 0; i < 5000; ++i) {
      if (i % 50 == 0) Press(box, 10, 8);  // a changed mark reloads the row's bitmap
      PaintRow(dialog, canvas.dc(), i % 2, rows[i % 2]);
      ASSERT_EQ(rowBitmaps, fw::LiveGdiObjects()) << "paint " << i;
    }
    EXPECT_EQ(slots, GdiTable::FreeSlots());

    canvas.Fill(kGreen);
    PaintRow(dialog, canvas.dc(), 0, RowRect(box, 0));
    ASSERT_EQ(1, list[0]->m_bSelected);  // 100 presses: back where it started
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 20; ++x) ASSERT_EQ(mask[y][x] ? kRed : kGreen, canvas.Pixel(x, y));
  }
  EXPECT_EQ(objects, fw::LiveGdiObjects());
}

// Windows' list box may send its WM_DELETEITEM messages as late as its WM_NCDESTROY, or
// none at all (its parent already gone); Wine's sends them while it handles WM_DESTROY.
// This puts a procedure under the Detail dialog's list box, below the tick list's own,
// that holds Wine's back to the Windows order.
class WindowsListBoxOrder {
 public:
  enum Deletes { kInNcDestroy, kNever };
  explicit WindowsListBoxOrder(Deletes deletes) {
    s_deletes = deletes;
    m_hook = ::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
  }
  ~WindowsListBoxOrder() { ::UnhookWindowsHookEx(m_hook); }
  WindowsListBoxOrder(const WindowsListBoxOrder&) = delete;
  WindowsListBoxOrder& operator=(const WindowsListBoxOrder&) = delete;

 private:
  // A window being created has its class procedure and no other yet.
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      HWND window = reinterpret_cast<HWND>(wParam);
      const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
      if (create->hMenu == reinterpret_cast<HMENU>(IDC_DETAIL_LIST) && (create->style & WS_CHILD))
        s_listBox = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) return 0;
    if (message == WM_NCDESTROY && s_deletes == kInNcDestroy)
      ::CallWindowProcA(s_listBox, window, WM_DESTROY, 0, 0);
    return ::CallWindowProcA(s_listBox, window, message, wParam, lParam);
  }
  static WNDPROC s_listBox;
  static Deletes s_deletes;
  HHOOK m_hook;
};
WNDPROC WindowsListBoxOrder::s_listBox = nullptr;
WindowsListBoxOrder::Deletes WindowsListBoxOrder::s_deletes = WindowsListBoxOrder::kInNcDestroy;

class RowsOfAGoneListBox : public ::testing::TestWithParam<WindowsListBoxOrder::Deletes> {};

TEST_P(RowsOfAGoneListBox, AreFreedWithTheirBitmapsWhateverTheListBoxSends) {
  CSelectionList list = MakeList({{"first", 1}, {"second", 0}, {"third", 1}});
  const long rows = CTickItem::Live(), objects = fw::LiveGdiObjects();
  {
    WindowsListBoxOrder order(GetParam());
    CDetailDlg detail(&list);
    ASSERT_TRUE(detail.Create());
    HWND dialog = detail.GetSafeHwnd(), box = detail.GetDlgItem(IDC_DETAIL_LIST);
    Canvas canvas(120, 48, kGreen);
    for (int row = 0; row < 3; ++row) PaintRow(dialog, canvas.dc(), row, RowRect(box, row));
    ASSERT_EQ(rows + 3, CTickItem::Live());
    ASSERT_LT(objects, fw::LiveGdiObjects());  // the rows' bitmaps
    ::DestroyWindow(dialog);
    // Deletes that come free their rows at once; rows that get none go with the list object.
    if (GetParam() == WindowsListBoxOrder::kInNcDestroy) {
      EXPECT_EQ(rows, CTickItem::Live());
    }
  }
  EXPECT_EQ(rows, CTickItem::Live());
  EXPECT_EQ(objects, fw::LiveGdiObjects());
}

INSTANTIATE_TEST_SUITE_P(WindowsOrder, RowsOfAGoneListBox,
                         ::testing::Values(WindowsListBoxOrder::kInNcDestroy,
                                           WindowsListBoxOrder::kNever));

}  // namespace
