#include "app/cleanerdlg.h"
#include "app/globals.h"
#include "framework/waitcursor.h"
#include "platform/files.h"
#include "platform/window.h"
#include "res/resource.h"

namespace {
const char* const kDetectorCaptions[] = {
    "Quillmar Scanner Detector 1.4", "Quillmar Scanner Detector 1.3",
    "Quillmar Scanner Detector 1.2", "Quillmar Scanner Detector 1.1",
    "Quillmar Scanner Detector 1.0",
};
}  // namespace

void CCleanerDlg::DetectItems() {
  if (m_bWin98 || m_bWinME || m_bNT5) {
    if (CountSTIScanners() == 0) {
      DisableItem(IDC_CHK_STI);
      m_bSTIFound = 0;
    }
  } else {
    DisableItem(IDC_CHK_STI);
    m_bSTIFound = 0;
  }

  if (!Find1394Data()) {
    DisableItem(IDC_CHK_1394);
    m_b1394Checked = 0;
  }

  if (!((m_bWin98 || m_bWinME || m_bWin95 || m_bNT5) && CountSCSIScanners() > 0)) {
    DisableItem(IDC_CHK_SCSI);
    m_bSCSIFound = 0;
  }

  if (CountUSBScanners() == 0) {
    DisableItem(IDC_CHK_USB);
    m_bUSBChecked = 0;
    m_bUSBFound = 0;
  }

  if (!m_bNT4) {
    DisableItem(IDC_CHK_ASPI);
    m_bASPIFound = 0;
  } else {
    DisableItem(IDC_CHK_INF);
    DisableItem(IDC_CHK_EVENTMGR);
  }

  HWND eventManager = platform::FindTopLevelWindow("Quillmar Event Manager 1.0");
  if (platform::FileOpensExclusively(m_strWinDir + "\\System\\Evmonitr.exe") || eventManager) {
    m_bEventManagerFound = 1;
  } else {
    DisableItem(IDC_CHK_EVENTMGR);
    m_bEventManagerFound = 0;
  }

  HWND detector = nullptr;
  for (const char* caption : kDetectorCaptions) {
    detector = platform::FindTopLevelWindow(caption);
    if (detector) break;
  }
  if (detector) {
    m_bDetectorFound = 1;
  } else {
    DisableItem(IDC_CHK_DETECTOR);
    m_bDetectorFound = 0;
  }

  std::vector<std::string> paths;
  if (!FindEPPDriver(&paths, FALSE)) {
    DisableItem(IDC_CHK_EPP);
    m_bEPPFound = 0;
  }
}

namespace {
// The shared step of the five check boxes that have a selection list: the box follows the
// program's record, not the click; a box checked again selects every entry.
template <class Build>
void ToggleListBox(CCleanerDlg& dlg, int box, int& record, CSelectionListPtr& list, Build build) {
  dlg.SetCheck(box, record ? BST_UNCHECKED : BST_CHECKED);
  record = !record;
  if (list) {
    if (record)
      for (auto& entry : *list) entry->m_bSelected = 1;
  } else {
    build();
  }
}
}  // namespace

void CCleanerDlg::OnCheckSTI() {
  ToggleListBox(*this, IDC_CHK_STI, m_bSTIChecked, m_pSTIList, [this] { BuildSTIList(); });
}

void CCleanerDlg::OnCheckSCSI() {
  ToggleListBox(*this, IDC_CHK_SCSI, m_bSCSIChecked, m_pSCSIList, [this] { BuildSCSIList(); });
}

void CCleanerDlg::OnCheckUSB() {
  ToggleListBox(*this, IDC_CHK_USB, m_bUSBChecked, m_pUSBList, [this] { BuildUSBList(); });
}

void CCleanerDlg::OnCheckINF() {
  ToggleListBox(*this, IDC_CHK_INF, m_bINFChecked, m_pINFList, [this] { BuildINFList(); });
}

void CCleanerDlg::OnCheckSysFiles() {
  ToggleListBox(*this, IDC_CHK_SYSFILES, m_bSysFilesChecked, m_pSysFilesList,
                [this] { BuildSysFilesList(); });
}

void CCleanerDlg::OnCheck1394() { m_b1394Checked = !m_b1394Checked; }

void CCleanerDlg::OnSelectAll() {
  fw::CWaitCursor wait;
  m_bCleaned = 0;
  m_bSTIFound = m_bUSBFound = m_bSCSIFound = m_bASPIFound = 1;
  m_bINFFound = m_bSysFilesFound = m_bEPPFound = m_bDetectorFound = 1;
  // The detection pass keeps the devices it finds for the Detail routines below, which would
  // otherwise read the same registrations again; whatever they do not take is dropped when
  // Select All ends.
  CKeepDevices keep{&m_keptSTI, &m_keptSCSI, &m_keptUSB};
  DetectItems();
  DiscardLists();
  m_bSysFilesChecked = m_bSCSIChecked = m_bSTIChecked = m_bINFChecked = m_b1394Checked = 0;
  m_lstSoftware.FillSoftwareList();
  BuildSysFilesList();

  // The Detail routines below only rebuild their lists and set their boxes.
  struct ShowDetailAgain {
    ~ShowDetailAgain() { g_bShowDetail = 1; }
  } restore;
  g_bShowDetail = 0;

  SetCheck(IDC_CHK_EVENTMGR, m_bEventManagerFound ? BST_CHECKED : BST_UNCHECKED);
  if (m_bDetectorFound) SetCheck(IDC_CHK_DETECTOR, BST_CHECKED);
  if (Find1394Data()) {
    ::EnableWindow(m_pChk1394, TRUE);
    m_b1394Checked = 1;
    SetCheck(IDC_CHK_1394, BST_CHECKED);
  }
  if (m_bSTIFound) OnDetailSTI();
  if (m_bSCSIFound) OnDetailSCSI();
  if (m_bUSBFound && (m_bWin98 || m_bWinME || m_bNT5)) OnDetailUSB();
  if (m_bEPPFound) SetCheck(IDC_CHK_EPP, BST_CHECKED);
  if (m_bASPIFound) SetCheck(IDC_CHK_ASPI, BST_CHECKED);
  if (m_bINFFound) {
    OnDetailINF();
    // Files that no settings file lists count too: Apply removes them with the item.
    if (m_pINFList->empty() && FindUnlistedINFs()) SetCheck(IDC_CHK_INF, BST_CHECKED);
  }
  if (m_bSysFilesFound) OnDetailSysFiles();
  if (m_bWin95) SetCheck(IDC_CHK_STI, BST_UNCHECKED);
  if (m_bNT4) {
    SetCheck(IDC_CHK_STI, BST_UNCHECKED);
    SetCheck(IDC_CHK_INF, BST_UNCHECKED);
    SetCheck(IDC_CHK_EVENTMGR, BST_UNCHECKED);
    SetCheck(IDC_CHK_SCSI, BST_UNCHECKED);
  } else if (!m_bNT5) {
    SetCheck(IDC_CHK_ASPI, BST_UNCHECKED);
  }
}

void CCleanerDlg::OnRefresh() { DetectItems(); }
