// A list box bound to an existing control.
#pragma once
#include <string>

#include "framework/control.h"

namespace fw {

class CListBox : public CControl {
 public:
  int AddString(const char* text);
  int AddItemData(LPARAM data);  // for a list box that keeps no strings
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  std::string GetText(int index) const;
  LPARAM GetItemData(int index) const;
  bool GetItemRect(int index, RECT& rect) const;

 protected:
  // Owner-draw steps; the dialog reflects WM_DRAWITEM, WM_MEASUREITEM and WM_DELETEITEM.
  virtual void DrawItem(DRAWITEMSTRUCT&) {}
  virtual void MeasureItem(MEASUREITEMSTRUCT&) {}
  virtual void DeleteItem(DELETEITEMSTRUCT&) {}
  // A notification code of the list box (LBN_...); true when handled.
  virtual bool OnNotify(UINT) { return false; }

  bool OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace fw
