#include "app/cleanerapp.h"

#include "app/cleanerdlg.h"
#include "app/globals.h"
#include "ui/guidance.h"

BOOL CCleanerApp::InitInstance() {
  g_bGuideCancelled = false;
  if (IsWindows2000OrXP()) {
    CRemoveDeviceDlg removeDevice;
    removeDevice.DoModal();
    if (removeDevice.Cancelled()) g_bGuideCancelled = true;
    if (g_bGuideCancelled) return FALSE;
  }
  {
    CUnplugDlg unplug;
    unplug.DoModal();
    if (unplug.Cancelled()) g_bGuideCancelled = true;
  }
  if (!g_bGuideCancelled) {
    CCleanerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
  }
  return FALSE;
}
