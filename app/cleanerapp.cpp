#include "app/cleanerapp.h"

#include "app/cleanerdlg.h"
#include "app/globals.h"
#include "framework/app.h"
#include "platform/security.h"
#include "ui/guidance.h"

namespace {
const char kNotAdministrator[] = "DrvPurge must be run by a member of the Administrators group.";
}  // namespace

BOOL CCleanerApp::InitInstance() {
  g_bGuideCancelled = false;
  // Anyone else would find every item and remove none of it: said before anything starts.
  if (!platform::RunsAsAdministrator()) {
    fw::AppMessageBox(kNotAdministrator, MB_OK | MB_ICONSTOP);
    return FALSE;
  }
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
