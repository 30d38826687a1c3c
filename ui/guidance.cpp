#include "ui/guidance.h"

#include "app/globals.h"
#include "res/resource.h"

CRemoveDeviceDlg::CRemoveDeviceDlg(HWND parent) : fw::CDialog(IDD_REMOVE_DEVICE, parent) {}

void CRemoveDeviceDlg::OnCancel() {
  g_bGuideCancelled = 1;
  fw::CDialog::OnCancel();
}

CUnplugDlg::CUnplugDlg(HWND parent) : fw::CDialog(IDD_UNPLUG, parent) {}

void CUnplugDlg::OnCancel() {
  g_bGuideCancelled = 1;
  fw::CDialog::OnCancel();
}

CAboutDlg::CAboutDlg() : fw::CDialog(IDD_ABOUTBOX) {}
