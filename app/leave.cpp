#include "app/cleanerdlg.h"
#include "app/restart.h"
#include "framework/app.h"
#include "platform/system.h"

namespace {
const UINT kRebootForced = EWX_REBOOT | EWX_FORCE;
const char kAllWent[] =
    "System is cleaned, you must restart Windows to apply the DrvPurge.\n\n"
    "Would you want to restart the computer now?";
const char kSomeStayed[] =
    "Some items could not be removed. Windows must restart to apply what DrvPurge removed.\n\n"
    "Would you want to restart the computer now?";
}  // namespace

void CCleanerDlg::OnOK() {
  PromptRestart();
  EndDialog(IDOK);
}

void CCleanerDlg::OnCancel() {
  ::KillTimer(m_hWnd, kMemoryTimer);
  EndDialog(IDCANCEL);
}

bool CCleanerDlg::OnClose(WPARAM, LPARAM, LRESULT&) {
  PromptRestart();
  // The dialog's default handling of WM_CLOSE sends IDCANCEL, which ends it.
  return false;
}

void CCleanerDlg::PromptRestart() {
  ::KillTimer(m_hWnd, kMemoryTimer);
  // A restart that Windows asked for is owed even after Select All has forgotten the run.
  if (!m_bCleaned && !m_bRestartAsked) return;
  ::MessageBeep(0x34);
  int answer = ::MessageBoxA(m_hWnd, m_stayed.empty() ? kAllWent : kSomeStayed, "Restart Windows",
                             MB_YESNO | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
  if (answer != IDYES) return;
  if (m_windows.IsNT5())
    RestartWindows();
  else
    platform::System().ExitWindowsEx(kRebootForced, 0);
}

void CCleanerDlg::RestartWindows() {
  RequestRestart(true, [](const char* call) {
    fw::AppMessageBox(std::string("Error: ") + call, MB_OK | MB_ICONEXCLAMATION);
  });
}
