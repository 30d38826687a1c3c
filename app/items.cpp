// The removal items as the dialog runs them: each item's object does the work and reports
// it; here the report becomes the state of the item's box.
#include "app/cleanerdlg.h"
#include "files/oeminf.h"
#include "res/resource.h"

void CCleanerDlg::RemoveListed(int box) {
  if (ListedItem(box)->Remove().m_bEmpty) RetireItem(box);
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
