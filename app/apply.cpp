#include "app/cleanerdlg.h"
#include "framework/waitcursor.h"
#include "res/resource.h"

void CCleanerDlg::OnApply() {
  fw::CWaitCursor wait;
  m_bCleaned = 1;
  // Each box is read just before its own step: an earlier step may have changed it.
  auto checked = [this](int id) { return GetCheck(id) != BST_UNCHECKED; };

  if (m_bWinME || m_bWin98 || m_bWin95 || m_bNT5) {
    if (checked(IDC_CHK_STI) && !m_bWin95) RemoveSTIScanners();
    if (!m_bNT5 && checked(IDC_CHK_SCSI)) RemoveSCSIScanners();
    if (m_b1394Checked && (m_bWin98 || m_bWinME || m_bNT5)) Remove1394Data();
    if (checked(IDC_CHK_INF)) RemoveINFFiles();
    if (checked(IDC_CHK_EVENTMGR)) RemoveEventManager();
    if (checked(IDC_CHK_SYSFILES)) RemoveSystemFiles();
    if (checked(IDC_CHK_EPP)) RemoveEPPDriver();
    if (checked(IDC_CHK_USB) && (m_bWinME || m_bWin98 || m_bNT5)) RemoveUSBScanners();
  } else if (m_bNT4) {
    if (checked(IDC_CHK_ASPI)) RemoveASPIRegistry();
    if (checked(IDC_CHK_EPP)) RemoveEPPDriver();
    if (checked(IDC_CHK_SYSFILES)) RemoveSystemFiles();
  }
  if (checked(IDC_CHK_DETECTOR)) RemoveDetector();
}
