// The Detail dialog: one category's selection list, one row per entry, marked entry by
// entry with the tick list. ui/ owns the tick list, the Detail dialog, the guidance
// dialogs and the About box; it includes framework/, platform/ and devices/records.h.
#pragma once
#include "devices/records.h"
#include "framework/dialog.h"
#include "ui/ticklist.h"

class CDetailDlg : public fw::CDialog {
 public:
  // Shows `list` (not owned, null for none). Without `show` the dialog shows nothing and
  // DoModal returns IDOK at once.
  explicit CDetailDlg(CSelectionList* list, HWND parent = nullptr, bool show = true);
  ~CDetailDlg() override;

  INT_PTR DoModal() override;

  const CTickListBox& TickList() const { return m_listItems; }

 protected:
  BOOL OnInitDialog() override;

 private:
  CTickListBox m_listItems;
  CSelectionList* m_pList;
  bool m_bShow;
};
