// The Detail dialog: one category's selection list, one row per entry, marked entry by
// entry with the tick list. ui/ owns the tick list, the Detail dialog, the guidance
// dialogs and the About box; it includes framework/, platform/ and devices/records.h.
#pragma once
#include "devices/records.h"
#include "framework/dialog.h"
#include "ui/ticklist.h"

class CDetailDlg : public fw::CDialog {
 public:
  // Without `show` the dialog shows nothing and DoModal returns IDOK at once.
  explicit CDetailDlg(HWND parent = nullptr, bool show = true);
  ~CDetailDlg() override;

  INT_PTR DoModal() override;

  CTickListBox m_listItems;
  CSelectionList* m_pList = nullptr;  // not owned

 protected:
  BOOL OnInitDialog() override;

 private:
  bool m_bShow;
};
