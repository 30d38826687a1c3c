#include "app/cleanerapp.h"

#include "app/cleanerdlg.h"
#include "app/globals.h"
#include "ui/guidance.h"

BOOL CCleanerApp::InitInstance() {
  g_bGuideCancelled = 0;
  if (IsWindows2000OrXP()) {
    CRemoveDeviceDlg removeDevice;
    removeDevice.DoModal();
    if (g_bGuideCancelled) return FALSE;
  }
  {
    CUnplugDlg unplug;
    unplug.DoModal();
  }
  if (!g_bGuideCancelled) {
    CCleanerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
  }
  return FALSE;
}
