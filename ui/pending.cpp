// Placeholder bodies, replaced by the tick list and the Detail dialog.
#include "app/globals.h"
#include "res/resource.h"
#include "ui/detaildlg.h"

int CTickListBox::AddEntry(const CSelectionEntry&) { return LB_ERR; }
void CTickListBox::DrawItem(DRAWITEMSTRUCT&) {}
void CTickListBox::MeasureItem(MEASUREITEMSTRUCT& measure) { measure.itemHeight = 16; }
void CTickListBox::DeleteItem(DELETEITEMSTRUCT&) {}
bool CTickListBox::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

CDetailDlg::CDetailDlg(HWND parent) : fw::CDialog(IDD_DETAIL, parent) {}
INT_PTR CDetailDlg::DoModal() { return g_bShowDetail ? fw::CDialog::DoModal() : IDOK; }
BOOL CDetailDlg::OnInitDialog() { return TRUE; }
