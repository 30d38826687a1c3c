#include "app/cleanerdlg.h"
#include "app/globals.h"
#include "app/steps.h"
#include "framework/waitcursor.h"
#include "res/resource.h"

void CCleanerDlg::DetectItems() {
  const WindowsVersion& w = m_windows;
  if (w.IsWin98() || w.IsWinME() || w.IsNT5()) {
    if (CountSTIScanners() == 0) {
      DisableItem(IDC_CHK_STI);
      m_items.m_sti.SetFound(false);
    }
  } else {
    DisableItem(IDC_CHK_STI);
    m_items.m_sti.SetFound(false);
  }

  if (!Find1394Data()) {
    DisableItem(IDC_CHK_1394);
    m_b1394Checked = false;
  }

  if (!((w.IsWin98() || w.IsWinME() || w.IsWin95() || w.IsNT5()) && CountSCSIScanners() > 0)) {
    DisableItem(IDC_CHK_SCSI);
    m_items.m_scsi.SetFound(false);
  }

  if (CountUSBScanners() == 0) {
    DisableItem(IDC_CHK_USB);
    m_items.m_usb.SetFound(false);
  }

  if (!w.IsNT4()) {
    DisableItem(IDC_CHK_ASPI);
    m_bASPIFound = false;
  } else {
    DisableItem(IDC_CHK_INF);
    DisableItem(IDC_CHK_EVENTMGR);
  }

  m_bEventManagerFound = m_items.m_companions.FindEventManager();
  if (!m_bEventManagerFound) DisableItem(IDC_CHK_EVENTMGR);

  m_bDetectorFound = m_items.m_companions.FindDetector();
  if (!m_bDetectorFound) DisableItem(IDC_CHK_DETECTOR);

  // The adapter key keeps the item too: Windows 2000 and XP may refuse its delete.
  if (!m_items.m_epp.Present()) {
    DisableItem(IDC_CHK_EPP);
    m_bEPPFound = false;
  }
}

void CCleanerDlg::PresumeFound() {
  for (int box : kListedBoxes) ListedItem(box)->SetFound(true);
  m_bASPIFound = m_bEPPFound = m_bDetectorFound = true;
}

void CCleanerDlg::OnSelectAll() {
  fw::CWaitCursor wait;
  const WindowsVersion& w = m_windows;
  m_bCleaned = false;
  PresumeFound();
  // The detection pass keeps the devices it finds for the Detail routines below, which would
  // otherwise read the same registrations again; whatever they do not take is dropped when
  // Select All ends.
  CKeepDevices keep{m_items.m_sti.Findings(), m_items.m_scsi.Findings(), m_items.m_usb.Findings()};
  DetectItems();
  DiscardLists();
  m_b1394Checked = false;
  m_lstSoftware.FillSoftwareList();
  BuildSysFilesList();

  // The Detail routines below only rebuild their lists and set their boxes.
  struct ShowDetailAgain {
    ~ShowDetailAgain() { g_bShowDetail = true; }
  } restore;
  g_bShowDetail = false;

  SetCheck(IDC_CHK_EVENTMGR, m_bEventManagerFound ? BST_CHECKED : BST_UNCHECKED);
  if (m_bDetectorFound) SetCheck(IDC_CHK_DETECTOR, BST_CHECKED);
  if (Find1394Data()) {
    ::EnableWindow(GetDlgItem(IDC_CHK_1394), TRUE);
    m_b1394Checked = true;
    SetCheck(IDC_CHK_1394, BST_CHECKED);
  }
  if (m_items.m_sti.Found()) OnDetailSTI();
  if (m_items.m_scsi.Found()) OnDetailSCSI();
  if (m_items.m_usb.Found() && (w.IsWin98() || w.IsWinME() || w.IsNT5())) OnDetailUSB();
  if (m_bEPPFound) SetCheck(IDC_CHK_EPP, BST_CHECKED);
  if (m_bASPIFound) SetCheck(IDC_CHK_ASPI, BST_CHECKED);
  if (m_items.m_inf.Found()) {
    OnDetailINF();
    // Files that no settings file lists count too: Apply removes them with the item.
    if (m_items.m_inf.List()->empty() && FindUnlistedINFs()) SetCheck(IDC_CHK_INF, BST_CHECKED);
  }
  if (m_items.m_sysFiles.Found()) OnDetailSysFiles();
  // Some items Select All leaves to the user on some systems, whatever it found.
  for (const ItemInfo& info : Items())
    if (!info.picked(w)) SetCheck(info.box, BST_UNCHECKED);
}

void CCleanerDlg::OnRefresh() { DetectItems(); }
