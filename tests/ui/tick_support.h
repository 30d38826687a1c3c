// What the tick-list and Detail tests share: a canvas to paint rows into and read back,
// the tick bitmap's own pixels, real mouse presses, and a modal Detail run driven from
// inside its own message loop.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "devices/records.h"
#include "support/dialog_answerer.h"
#include "ui/ticklist.h"

namespace ui_test {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 128, 0);

// A 32-bit top-down DIB section in a memory DC of its own.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return m_dc; }
  void Fill(COLORREF colour);
  COLORREF Pixel(int x, int y) const;
  // Every pixel, for comparing two paintings.
  std::vector<uint32_t> Pixels() const;

  const int width, height;

 private:
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
  uint32_t* m_bits = nullptr;
};

// mask[y][x]: the tick bitmap (resource 131) is red there; read with plain GDI calls.
std::vector<std::vector<bool>> TickMask();

// A selection list of (text, mark) entries numbered from 0.
CSelectionList MakeList(std::initializer_list<std::pair<const char*, int>> entries);

// Paints `row` of the Detail dialog's list box into `dc` the way the list box asks its
// dialog to: WM_DRAWITEM sent to the dialog.
void PaintRow(HWND dialog, HDC dc, int row, RECT rect, UINT action = ODA_DRAWENTIRE,
              UINT state = 0);

// A press of the left button at (x, y) of `list`, as the mouse sends it.
void Press(HWND list, int x, int y);
RECT RowRect(HWND list, int row);
CTickItem* ItemOf(HWND list, int row);

// Sets g_bShowDetail, which the main dialog hands to its Detail runs, for the life of the
// object.
class ShowDetail {
 public:
  explicit ShowDetail(int value);
  ~ShowDetail();

 private:
  int m_saved;
};

enum class End { kOK, kEscape, kCloseBox };

// Runs `close` on the dialog's window the way the user leaves it.
void Leave(HWND dialog, End how);

// Runs `body` once `dialog` is on screen: a modal loop shows its dialog only when it
// first finds its queue empty, which may be after the dialog was activated.
void WhenShown(HWND dialog, std::function<void()> body);

// How many dialogs captioned "Detail Items" the answerer saw.
int DetailsSeen(const testing_support::DialogAnswerer& answerer);

// Runs a real modal Detail dialog on `list`; `body` runs inside its message loop with the
// dialog and its list box, then the dialog is left as `how` says. The modal result.
INT_PTR RunDetail(CSelectionList* list, const std::function<void(HWND, HWND)>& body,
                  End how = End::kOK);

}  // namespace ui_test
