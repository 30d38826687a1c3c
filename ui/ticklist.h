// The owner-drawn list of the Detail dialog: a red tick in front of every selected entry,
// toggled by a press in the tick column.
#pragma once
#include "devices/records.h"
#include "framework/listbox.h"

class CTickListBox : public fw::CListBox {
 public:
  // Appends a row for `entry`; the row's index, or LB_ERR.
  int AddEntry(const CSelectionEntry& entry);

  unsigned short m_nCheckWidth = 20;  // width of the tick column, in pixels
  CSelectionList* m_pList = nullptr;  // not owned

 protected:
  void DrawItem(DRAWITEMSTRUCT& draw) override;
  void MeasureItem(MEASUREITEMSTRUCT& measure) override;
  void DeleteItem(DELETEITEMSTRUCT& item) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
