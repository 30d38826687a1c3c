// The owner-drawn list of the Detail dialog: a red tick in front of every selected entry,
// toggled by a press in the tick column.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "devices/records.h"
#include "framework/gdi.h"
#include "framework/listbox.h"

// Copies `bitmap` onto `dc` at (x, y) at its own size, leaving the destination as it was
// wherever the bitmap has the colour `transparent`. The bitmap itself is left unchanged.
void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y, COLORREF transparent);

// One row of the tick list: the list box keeps it as the row's item data; the list box
// object owns it and frees it when the row goes, or with itself.
class CTickItem {
 public:
  explicit CTickItem(CSelectionEntry& entry);
  ~CTickItem();
  CTickItem(const CTickItem&) = delete;
  CTickItem& operator=(const CTickItem&) = delete;

  // Loads bitmap resource `id` in place of the one held.
  void LoadTick(int id);
  // The size of the row's bitmap, loading it first if none is held.
  SIZE GetTickSize();
  // Paints the row into `rect`; selected and unselected rows look the same.
  void Draw(HDC dc, const RECT& rect, BOOL selected);

  // Rows alive in the process; a test sees with it that every row is freed.
  static long Live();

  std::string m_strText;
  int m_nBitmapId;      // IDB_TICK or IDB_NOTICK: what the row should show
  int m_nLoadedId = 0;  // what m_bitmap holds; 0 before the first load
  fw::CBitmap m_bitmap;
  SIZE m_size = {0, 0};
  // The entry the row shows and marks; owned by the category's list, which outlives the
  // dialog. Held per row so that a row the list box refused cannot shift the others.
  CSelectionEntry* m_pEntry;
};

class CTickListBox : public fw::CListBox {
 public:
  ~CTickListBox() override;

  // Shows a row for every entry of `list`, which the rows then mark; not owned, it must
  // outlive the window. Null shows nothing.
  void ShowList(CSelectionList* list);

  // The list the rows mark; null until shown.
  const CSelectionList* List() const { return m_pList; }
  // The width of the tick column, in pixels: a press up to it toggles its row.
  unsigned short CheckWidth() const { return m_nCheckWidth; }

 protected:
  void DrawItem(DRAWITEMSTRUCT& draw) override;
  void MeasureItem(MEASUREITEMSTRUCT& measure) override;
  void DeleteItem(DELETEITEMSTRUCT& item) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // False when the press must get no default handling.
  bool OnLButtonDown(UINT flags, POINT point);

 private:
  // Appends a row for `entry`; the row's index, or the list box's error (LB_ERR,
  // LB_ERRSPACE), in which case no row exists and nothing is kept.
  int AddEntry(CSelectionEntry& entry);
  CTickItem* ItemAt(int row) const;
  void Toggle(int row);

  unsigned short m_nCheckWidth = 20;
  CSelectionList* m_pList = nullptr;

  // Every row's item. A row's WM_DELETEITEM frees its item; whatever no WM_DELETEITEM
  // reached (Windows may send them as late as the list box's WM_NCDESTROY, or not at all
  // when the parent is gone) goes with this object.
  std::vector<std::unique_ptr<CTickItem>> m_items;
};
