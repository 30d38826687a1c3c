// The removal items as the dialog runs them: each item's object does the work and reports
// it; here the report becomes the state of the item's box.
#include "app/cleanerdlg.h"
#include "app/steps.h"
#include "files/oeminf.h"
#include "res/resource.h"

void CCleanerDlg::RemoveListed(int box) {
  const CRemovalReport report = ListedItem(box)->Remove();
  Record(box, report);
  if (report.m_bEmpty) RetireItem(box);
}

void CCleanerDlg::Remove1394Data() {
  const CRemovalReport report = m_items.m_1394.Remove();
  Record(IDC_CHK_1394, report);
  // A tree that survived its delete leaves the box checked, so that the next Apply tries again.
  if (!report.m_bEmpty) return;
  RetireItem(IDC_CHK_1394);
  m_b1394Checked = false;
}

void CCleanerDlg::RemoveEPPDriver() {
  const CRemovalReport report = m_items.m_epp.Remove();
  Record(IDC_CHK_EPP, report);
  if (!report.m_bEmpty) return;
  if (report.m_nRemoved) RetireItem(IDC_CHK_EPP);
  m_bEPPFound = false;
}

LONG CCleanerDlg::RemoveASPIRegistry() {
  LONG result = ERROR_SUCCESS;
  const CRemovalReport report = RemoveAspiService(m_items.m_aspi, &result);
  m_bASPIFound = false;
  Record(IDC_CHK_ASPI, report);
  return result;
}

std::vector<std::string> CCleanerDlg::FindOemInfs() const { return ::FindOemInfs(); }

void CCleanerDlg::RemoveOemInfs() { ::RemoveOemInfs(); }

void CCleanerDlg::RemoveEventManager() {
  const CRemovalReport report = m_items.m_companions.RemoveEventManager();
  Record(IDC_CHK_EVENTMGR, report);
  // A program that did not end and still holds its file keeps the box for the next Apply.
  if (!report.m_bEmpty) return;
  DisableItem(IDC_CHK_EVENTMGR);
  m_bEventManagerFound = false;
}

void CCleanerDlg::RemoveDetector() {
  m_items.m_companions.RemoveDetector();
  m_bDetectorFound = false;
  RetireItem(IDC_CHK_DETECTOR);
}
