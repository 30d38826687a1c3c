// The removal items as the dialog runs them: each item's object does the work and reports
// it; here the report becomes the state of the item's box.
#include "app/cleanerdlg.h"
#include "files/oeminf.h"
#include "res/resource.h"

void CCleanerDlg::RemoveSTIScanners() {
  if (m_sti.Remove().m_bEmpty) RetireItem(IDC_CHK_STI);
}

void CCleanerDlg::RemoveSCSIScanners() {
  if (m_scsi.Remove().m_bEmpty) RetireItem(IDC_CHK_SCSI);
}

void CCleanerDlg::RemoveUSBScanners() {
  if (m_usb.Remove().m_bEmpty) RetireItem(IDC_CHK_USB);
}

void CCleanerDlg::Remove1394Data() {
  // A tree that survived its delete leaves the box checked, so that the next Apply tries again.
  if (!m_1394.Remove().m_bEmpty) return;
  RetireItem(IDC_CHK_1394);
  m_b1394Checked = false;
}

void CCleanerDlg::RemoveEPPDriver() {
  const CRemovalReport report = m_epp.Remove();
  if (!report.m_bEmpty) return;
  if (report.m_nRemoved) RetireItem(IDC_CHK_EPP);
  m_bEPPFound = false;
}

LONG CCleanerDlg::RemoveASPIRegistry() {
  const LONG result = m_aspi.Remove();
  m_bASPIFound = false;
  return result;
}

void CCleanerDlg::RemoveSystemFiles() {
  if (m_sysFiles.Remove().m_bEmpty) RetireItem(IDC_CHK_SYSFILES);
}

void CCleanerDlg::RemoveINFFiles() {
  if (m_inf.Remove().m_bEmpty) RetireItem(IDC_CHK_INF);
}

std::vector<std::string> CCleanerDlg::FindOemInfs() const { return ::FindOemInfs(); }

void CCleanerDlg::RemoveOemInfs() { ::RemoveOemInfs(); }

void CCleanerDlg::RemoveEventManager() {
  m_companions.RemoveEventManager();
  DisableItem(IDC_CHK_EVENTMGR);
  m_bEventManagerFound = false;
}

void CCleanerDlg::RemoveDetector() {
  m_companions.RemoveDetector();
  m_bDetectorFound = false;
  RetireItem(IDC_CHK_DETECTOR);
}

void CCleanerDlg::OnDetailSTI() {
  BuildSTIList();
  RunDetail(m_sti);
}

void CCleanerDlg::OnDetailSCSI() {
  BuildSCSIList();
  RunDetail(m_scsi);
}

void CCleanerDlg::OnDetailUSB() {
  BuildUSBList();
  RunDetail(m_usb);
}

// Only shows the list: the unlisted INF files go in the cleaning run, never on a look.
void CCleanerDlg::OnDetailINF() {
  BuildINFList();
  RunDetail(m_inf);
}

void CCleanerDlg::OnDetailSysFiles() {
  BuildSysFilesList();
  RunDetail(m_sysFiles);
}
