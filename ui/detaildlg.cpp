#include "ui/detaildlg.h"

#include "res/resource.h"

CDetailDlg::CDetailDlg(CSelectionList* list, HWND parent, bool show)
    : fw::CDialog(IDD_DETAIL, parent), m_pList(list), m_bShow(show) {}

CDetailDlg::~CDetailDlg() {
  // The rows must go while m_listItems still exists to free them; the base class would
  // destroy the window only after it.
  if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

INT_PTR CDetailDlg::DoModal() {
  if (!m_bShow) return IDOK;
  return fw::CDialog::DoModal();
}

BOOL CDetailDlg::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  if (m_listItems.SubclassDlgItem(IDC_DETAIL_LIST, m_hWnd)) m_listItems.ShowList(m_pList);
  return TRUE;
}
