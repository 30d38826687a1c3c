// The Detail dialog: one category's selection list, one row per entry, marked entry by
// entry with the tick list.
#pragma once
#include "devices/records.h"
#include "framework/dialog.h"
#include "ui/ticklist.h"

class CDetailDlg : public fw::CDialog {
 public:
  explicit CDetailDlg(HWND parent = nullptr);
  ~CDetailDlg() override;

  // IDOK at once, without a window, while g_bShowDetail is 0.
  INT_PTR DoModal() override;

  CTickListBox m_listItems;
  CSelectionList* m_pList = nullptr;  // not owned

 protected:
  BOOL OnInitDialog() override;
};
