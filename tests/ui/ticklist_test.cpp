#include <gtest/gtest.h>

#include <memory>

#include "app/globals.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "ui/detaildlg.h"
#include "ui/tick_support.h"

using namespace ui_test;

namespace {

// A Detail dialog created modeless on a list, so that its rows can be painted into a
// canvas through the dialog's own WM_DRAWITEM handling.
class TickRows : public ::testing::Test {
 protected:
  void Open(CSelectionList& list) {
    m_dlg.reset(new CDetailDlg(&list));
    ASSERT_TRUE(m_dlg->Create());
    m_list = m_dlg->GetDlgItem(IDC_DETAIL_LIST);
  }
  void Paint(const Canvas& canvas, int row, RECT rect, UINT action = ODA_DRAWENTIRE,
             UINT state = 0) {
    PaintRow(m_dlg->GetSafeHwnd(), canvas.dc(), row, rect, action, state);
  }
  void Paint(const Canvas& canvas, int row) { Paint(canvas, row, RowRect(m_list, row)); }

  std::unique_ptr<CDetailDlg> m_dlg;
  HWND m_list = nullptr;
};

TEST_F(TickRows, RedTickOnlyOnMarkedRowsAtTheirTopLeftWithWhiteLeftTransparent) {
  CSelectionList list = MakeList({{"First", 1}, {"Second", 0}, {"Third", 1}});
  Open(list);
  Canvas canvas(200, 48, kGreen);
  for (int row = 0; row < 3; ++row) Paint(canvas, row);
  const auto mask = TickMask();
  for (int row = 0; row < 3; ++row) {
    const int top = RowRect(m_list, row).top;
    EXPECT_EQ(row * 16, top);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 25; ++x) {
        bool tick = list[row]->m_bSelected && x < 20 && mask[y][x];
        ASSERT_EQ(tick ? kRed : kGreen, canvas.Pixel(x, top + y))
            << "row " << row << " at " << x << "," << y;
      }
  }
}

TEST_F(TickRows, TextAreaFromColumn25IsFilledWithTheWindowColourAndClippedToTheRow) {
  CSelectionList list = MakeList({{"Quillmar scanner", 0}, {"", 1}});
  Open(list);
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  Canvas canvas(200, 40, kGreen);
  Paint(canvas, 0, RECT{0, 0, 150, 16});
  Paint(canvas, 1, RECT{0, 16, 150, 32});
  int ink = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) {
      COLORREF pixel = canvas.Pixel(x, y);
      if (y >= 32 || x >= 150) {
        ASSERT_EQ(kGreen, pixel) << x << "," << y;  // nothing outside the rows
      } else if (x >= 25) {
        ASSERT_NE(kGreen, pixel) << x << "," << y;
        if (y < 16 && pixel != window) ++ink;
        if (y >= 16) {
          ASSERT_EQ(window, pixel) << "empty text, " << x << "," << y;
        }
      } else if (x >= 20 || y < 16) {
        ASSERT_EQ(kGreen, pixel) << "gap or unticked column, " << x << "," << y;
      }
    }
  EXPECT_GT(ink, 20);  // the text itself was drawn
}

TEST_F(TickRows, SelectionAndFocusNeverShow) {
  CSelectionList list = MakeList({{"Entry", 1}});
  Open(list);
  Canvas plain(120, 16, kGreen), selected(120, 16, kGreen), focusOnly(120, 16, kGreen),
      noRow(120, 16, kGreen);
  const RECT rect = {0, 0, 120, 16};
  Paint(plain, 0, rect);
  Paint(selected, 0, rect, ODA_SELECT, ODS_SELECTED | ODS_FOCUS);
  Paint(focusOnly, 0, rect, ODA_FOCUS, ODS_FOCUS);
  Paint(noRow, -1, rect, ODA_DRAWENTIRE | ODA_FOCUS, ODS_FOCUS);
  EXPECT_EQ(plain.Pixels(), selected.Pixels());
  const Canvas untouched(120, 16, kGreen);
  EXPECT_EQ(untouched.Pixels(), focusOnly.Pixels());
  EXPECT_EQ(untouched.Pixels(), noRow.Pixels());
}

TEST_F(TickRows, AmpersandUnderlinesTheNextCharacterAndIsNotShown) {
  CSelectionList list = MakeList({{"AB", 0}, {"A&B", 0}});
  Open(list);
  Canvas plain(120, 16, kGreen), prefixed(120, 16, kGreen);
  Paint(plain, 0, RECT{0, 0, 120, 16});
  Paint(prefixed, 1, RECT{0, 0, 120, 16});
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  int extra = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 25; x < 120; ++x) {
      bool inkPlain = plain.Pixel(x, y) != window, inkPrefixed = prefixed.Pixel(x, y) != window;
      if (inkPlain) {
        ASSERT_TRUE(inkPrefixed) << x << "," << y;
      }
      if (inkPrefixed && !inkPlain) ++extra;
    }
  EXPECT_GT(extra, 0);  // the underline, and no '&' glyph that would shift the B
}

TEST_F(TickRows, RowsMeasureByTheirBitmapAndAnItemlessRowByTheFixedSize) {
  CSelectionList list = MakeList({{"a", 1}, {"b", 0}});
  Open(list);
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(16, ::SendMessageA(m_list, LB_GETITEMHEIGHT, static_cast<WPARAM>(row), 0));
    SIZE size = ItemOf(m_list, row)->m_size;
    EXPECT_EQ(20, size.cx);
    EXPECT_EQ(16, size.cy);
  }
  EXPECT_EQ(20, m_dlg->TickList().CheckWidth());

  // A row measured by a wider bitmap widens the tick column; a row without an item, as a
  // list box keeping no strings adds for LB_ADDSTRING, gives it the fixed width again.
  CSelectionEntry entry("wide", 2, true);
  CTickItem wide(entry);
  wide.LoadTick(IDB_UNPLUG);
  MEASUREITEMSTRUCT measure = {ODT_LISTBOX, IDC_DETAIL_LIST, 0, 0, 0,
                               reinterpret_cast<ULONG_PTR>(&wide)};
  ::SendMessageA(m_dlg->GetSafeHwnd(), WM_MEASUREITEM, IDC_DETAIL_LIST,
                 reinterpret_cast<LPARAM>(&measure));
  ASSERT_LT(20, m_dlg->TickList().CheckWidth());
  int row = static_cast<int>(::SendMessageA(m_list, LB_ADDSTRING, 0, 0));
  EXPECT_EQ(16, ::SendMessageA(m_list, LB_GETITEMHEIGHT, static_cast<WPARAM>(row), 0));
  EXPECT_EQ(20, m_dlg->TickList().CheckWidth());
  // Painting or pressing such a row changes nothing and does not fail.
  Canvas canvas(100, 16, kGreen);
  Paint(canvas, row, RECT{0, 0, 100, 16});
  EXPECT_EQ(kGreen, canvas.Pixel(60, 8));
  Press(m_list, 5, RowRect(m_list, row).top + 2);
  EXPECT_EQ(1, list[0]->m_bSelected);
  EXPECT_EQ(0, list[1]->m_bSelected);
}

// Presses sent to the list box of a real modal Detail dialog.
struct PressCase {
  int x;
  bool toggles;
};

class TickPress : public ::testing::TestWithParam<PressCase> {};

TEST_P(TickPress, TickColumnUpToX20TogglesAndEveryPressSelects) {
  const PressCase c = GetParam();
  CSelectionList list = MakeList({{"a", 1}, {"b", 0}, {"c", 1}});
  RunDetail(&list, [&](HWND, HWND box) {
    for (int row = 0; row < 3; ++row) {
      int before = list[row]->m_bSelected;
      Press(box, c.x, RowRect(box, row).top + 8);
      int expected = c.toggles ? !before : before;
      EXPECT_EQ(expected, list[row]->m_bSelected) << "row " << row;
      EXPECT_EQ(expected ? IDB_TICK : IDB_NOTICK, ItemOf(box, row)->m_nBitmapId);
      EXPECT_EQ(row, ::SendMessageA(box, LB_GETCURSEL, 0, 0));
      EXPECT_EQ(box, ::GetFocus());
    }
  });
}

INSTANTIATE_TEST_SUITE_P(Columns, TickPress,
                         ::testing::Values(PressCase{0, true}, PressCase{20, true},
                                           PressCase{21, false}, PressCase{24, false},
                                           PressCase{150, false}));

class TickList : public ::testing::Test {};

TEST_F(TickList, PressBelowTheLastRowTogglesTheLastRow) {
  CSelectionList list = MakeList({{"a", 1}, {"b", 1}});
  RunDetail(&list, [&](HWND, HWND box) {
    Press(box, 10, 100);
    EXPECT_EQ(1, list[0]->m_bSelected);
    EXPECT_EQ(0, list[1]->m_bSelected);
    EXPECT_EQ(IDB_NOTICK, ItemOf(box, 1)->m_nBitmapId);
  });
}

TEST_F(TickList, DoubleClickTogglesOnce) {
  CSelectionList list = MakeList({{"a", 1}});
  RunDetail(&list, [&](HWND, HWND box) {
    Press(box, 10, 8);
    ::SendMessageA(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 8));
    ::SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(10, 8));
    EXPECT_EQ(0, list[0]->m_bSelected);
  });
}

TEST_F(TickList, PressesInAnEmptyListAreSwallowed) {
  CSelectionList list;
  RunDetail(&list, [&](HWND dialog, HWND box) {
    HWND focus = ::GetFocus();
    EXPECT_EQ(::GetDlgItem(dialog, IDOK), focus);
    Press(box, 5, 5);
    Press(box, 100, 5);
    EXPECT_EQ(LB_ERR, ::SendMessageA(box, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(focus, ::GetFocus());
  });
}

TEST_F(TickList, KeyboardMovesTheSelectionButNeverToggles) {
  CSelectionList list = MakeList({{"a", 1}, {"b", 0}});
  RunDetail(&list, [&](HWND, HWND box) {
    Press(box, 100, 8);
    for (WPARAM key : {VK_DOWN, VK_SPACE, VK_RETURN}) {
      ::SendMessageA(box, WM_KEYDOWN, key, 0);
      ::SendMessageA(box, WM_KEYUP, key, 0);
    }
    ::SendMessageA(box, WM_CHAR, ' ', 0);
    EXPECT_EQ(1, ::SendMessageA(box, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(1, list[0]->m_bSelected);
    EXPECT_EQ(0, list[1]->m_bSelected);
  });
}

LRESULT CALLBACK CountErase(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
WNDPROC g_eraseNext = nullptr;
int g_erases = 0;
LRESULT CALLBACK CountErase(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) ++g_erases;
  return ::CallWindowProcA(g_eraseNext, window, message, wParam, lParam);
}

TEST_F(TickList, TurningATickOffRepaintsTheStripOnAnErasedBackground) {
  CSelectionList list = MakeList({{"a", 0}, {"b", 1}});
  RunDetail(&list, [&](HWND, HWND box) {
    Canvas canvas(200, 64, kGreen);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    ::UpdateWindow(box);
    ::SendMessageA(box, WM_PRINT, reinterpret_cast<WPARAM>(canvas.dc()),
                   PRF_CLIENT | PRF_ERASEBKGND);
    const RECT row = RowRect(box, 1);
    EXPECT_EQ(kRed, canvas.Pixel(10, row.top + 8));  // the tick's stroke crosses there

    Press(box, 10, row.top + 8);
    ASSERT_EQ(0, list[1]->m_bSelected);
    HRGN update = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(SIMPLEREGION, ::GetUpdateRgn(box, update, FALSE));
    RECT strip;
    ::GetRgnBox(update, &strip);
    const RECT expected = {0, row.top, 25, row.bottom};
    EXPECT_TRUE(::EqualRect(&expected, &strip))
        << strip.left << "," << strip.top << "," << strip.right << "," << strip.bottom;

    // Repaint as BeginPaint would: clipped to the update region, erased, then painted.
    ::SelectClipRgn(canvas.dc(), update);
    ::SendMessageA(box, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    ::SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    ::SelectClipRgn(canvas.dc(), nullptr);
    ::DeleteObject(update);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 200; ++x) ASSERT_NE(kRed, canvas.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(window, canvas.Pixel(10, row.top + 8));

    // The invalidation asked for the erase itself: it is still pending.
    g_erases = 0;
    g_eraseNext = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountErase)));
    RECT pending;
    ::GetUpdateRect(box, &pending, TRUE);
    ::SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_eraseNext));
    EXPECT_EQ(1, g_erases);
  });
}

}  // namespace
