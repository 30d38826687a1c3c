#include "app/cleanerapp.h"

#include "app/cleanerdlg.h"
#include "app/globals.h"
#include "app/unattended.h"
#include "framework/app.h"
#include "platform/security.h"
#include "ui/guidance.h"

const char kNotAdministrator[] = "DrvPurge must be run by a member of the Administrators group.";

int CCleanerApp::Run(const std::string& arguments) {
  const CommandLine command = ParseCommandLine(arguments);
  switch (command.mode) {
    case CommandLine::Mode::Window:
      InitInstance();
      return 0;
    case CommandLine::Mode::Usage:
      fw::AppMessageBox(UsageText(), MB_OK | MB_ICONINFORMATION);
      return 0;
    case CommandLine::Mode::Bad:
      fw::AppMessageBox(UsageText(), MB_OK | MB_ICONEXCLAMATION);
      return kExitBadCommandLine;
    default:
      return RunUnattended(command);
  }
}

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
