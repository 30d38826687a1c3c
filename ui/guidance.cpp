#include "ui/guidance.h"

#include "res/resource.h"

CRemoveDeviceDlg::CRemoveDeviceDlg(HWND parent) : fw::CDialog(IDD_REMOVE_DEVICE, parent) {}

void CRemoveDeviceDlg::OnCancel() {
  m_bCancelled = true;
  fw::CDialog::OnCancel();
}

CUnplugDlg::CUnplugDlg(HWND parent) : fw::CDialog(IDD_UNPLUG, parent) {}

void CUnplugDlg::OnCancel() {
  m_bCancelled = true;
  fw::CDialog::OnCancel();
}

CAboutDlg::CAboutDlg() : fw::CDialog(IDD_ABOUTBOX) {}
