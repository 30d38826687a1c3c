#include "app/cleanerdlg.h"

#include "app/globals.h"
#include "framework/app.h"
#include "platform/files.h"
#include "res/resource.h"
#include "ui/detaildlg.h"
#include "ui/guidance.h"

namespace {
const UINT_PTR kMemoryTimer = 100;

const fw::MessageEntry<CCleanerDlg> kMessages[] = {
    fw::OnMsg(WM_SYSCOMMAND, &CCleanerDlg::OnSysCommand),
    fw::OnMsg(WM_PAINT, &CCleanerDlg::OnPaint),
    fw::OnMsg(WM_QUERYDRAGICON, &CCleanerDlg::OnQueryDragIcon),
    fw::OnCommand(IDC_APPLY, &CCleanerDlg::OnApply),
    fw::OnMsg(WM_TIMER, &CCleanerDlg::OnTimer),
    fw::OnCommand(IDC_SELECTALL, &CCleanerDlg::OnSelectAll),
    fw::OnCommand(IDC_CHK_SYSFILES, &CCleanerDlg::OnCheckSysFiles),
    fw::OnCommand(IDC_DETAIL_SYSFILES, &CCleanerDlg::OnDetailSysFiles),
    fw::OnCommand(IDC_DETAIL_STI, &CCleanerDlg::OnDetailSTI),
    fw::OnCommand(IDC_DETAIL_SCSI, &CCleanerDlg::OnDetailSCSI),
    fw::OnCommand(IDC_DETAIL_INF, &CCleanerDlg::OnDetailINF),
    fw::OnCommand(IDC_CHK_SCSI, &CCleanerDlg::OnCheckSCSI),
    fw::OnCommand(IDC_CHK_STI, &CCleanerDlg::OnCheckSTI),
    fw::OnCommand(IDC_CHK_INF, &CCleanerDlg::OnCheckINF),
    fw::OnCommand(IDC_REFRESH, &CCleanerDlg::OnRefresh),
    fw::OnCommand(IDC_CHK_1394, &CCleanerDlg::OnCheck1394),
    fw::OnCommand(IDC_DETAIL_USB, &CCleanerDlg::OnDetailUSB),
    fw::OnCommand(IDC_CHK_USB, &CCleanerDlg::OnCheckUSB),
    fw::OnMsg(WM_CLOSE, &CCleanerDlg::OnClose),
};
}  // namespace

CCleanerDlg::CCleanerDlg(HWND parent) : fw::CDialog(IDD_DRVPURGE_DIALOG, parent) {
  m_hIcon = ::LoadIconA(fw::Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CCleanerDlg::~CCleanerDlg() { DiscardLists(); }

void CCleanerDlg::DiscardLists() {
  m_pSysFilesList.reset();
  m_pSTIList.reset();
  m_pSCSIList.reset();
  m_pINFList.reset();
  m_pUSBList.reset();
}

bool CCleanerDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  return fw::DispatchTable(this, kMessages, message, wParam, lParam, result);
}

BOOL CCleanerDlg::OnInitDialog() {
  fw::CDialog::OnInitDialog();

  if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
    std::string about = fw::LoadString(IDS_ABOUTBOX);
    if (!about.empty()) {
      ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
  }
  ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  ::ShowWindow(GetDlgItem(IDC_UNSELECTALL), SW_HIDE);
  g_bShowDetail = 1;

  m_pChkSTI = GetDlgItem(IDC_CHK_STI);
  m_pChkINF = GetDlgItem(IDC_CHK_INF);
  m_pChkDetector = GetDlgItem(IDC_CHK_DETECTOR);
  m_pChk1394 = GetDlgItem(IDC_CHK_1394);
  m_pChkUSB = GetDlgItem(IDC_CHK_USB);
  m_lstSoftware.SubclassDlgItem(IDC_SOFTWARE, m_hWnd);

  m_strWinDir = platform::WindowsDirectory();
  m_strIniPath = platform::DirectoryOf(platform::ModulePath()) + "\\DrvPurge.ini";

  m_bWin98 = m_bNT5 = g_bNT5 = m_bWinME = m_bNT4 = m_bWin95 = 0;
  IdentifyOS();
  g_bNT5 = m_bNT5;
  m_bCleaned = 0;

  m_bSTIFound = m_bUSBFound = m_bSCSIFound = m_bASPIFound = 1;
  m_bINFFound = m_bSysFilesFound = m_bEPPFound = m_bDetectorFound = 1;
  DetectItems();

  DiscardLists();
  m_bSysFilesChecked = m_bSTIChecked = m_bSCSIChecked = 0;
  m_bINFChecked = m_b1394Checked = m_bUSBChecked = 0;
  m_lstSoftware.FillSoftwareList();
  BuildSysFilesList();
  // Box 1011 shows unchecked: nothing is marked for deletion until the user asks.
  m_bSysFilesChecked = 0;

  ::SetDlgItemTextA(m_hWnd, IDC_OSNAME, m_strOSName.c_str());
  UpdateMemoryInfo();
  ::SetTimer(m_hWnd, kMemoryTimer, 1000, nullptr);
  return TRUE;
}

bool CCleanerDlg::OnSysCommand(WPARAM id, LPARAM, LRESULT& result) {
  if ((id & 0xFFF0) != IDM_ABOUTBOX) return false;
  CAboutDlg about;
  about.DoModal();
  result = 0;
  return true;
}

bool CCleanerDlg::OnPaint(WPARAM, LPARAM, LRESULT& result) {
  if (!::IsIconic(m_hWnd)) return false;
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  ::SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  int cxIcon = ::GetSystemMetrics(SM_CXICON);
  int cyIcon = ::GetSystemMetrics(SM_CYICON);
  RECT rect;
  ::GetClientRect(m_hWnd, &rect);
  int x = (rect.right - rect.left - cxIcon + 1) / 2;
  int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
  if (m_hIcon) ::DrawIcon(dc, x, y, m_hIcon);
  ::EndPaint(m_hWnd, &paint);
  result = 0;
  return true;
}

bool CCleanerDlg::OnQueryDragIcon(WPARAM, LPARAM, LRESULT& result) {
  result = reinterpret_cast<LRESULT>(m_hIcon);
  return true;
}

bool CCleanerDlg::OnTimer(WPARAM, LPARAM, LRESULT&) {
  UpdateMemoryInfo();
  return false;
}

int CCleanerDlg::GetCheck(int id) const {
  return static_cast<int>(::SendMessageA(GetDlgItem(id), BM_GETCHECK, 0, 0));
}

void CCleanerDlg::SetCheck(int id, int state) const {
  ::SendMessageA(GetDlgItem(id), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void CCleanerDlg::DisableItem(int id) const { ::EnableWindow(GetDlgItem(id), FALSE); }

void CCleanerDlg::RetireItem(int id) const {
  SetCheck(id, BST_UNCHECKED);
  DisableItem(id);
}

int CCleanerDlg::LookupSelected(const CSelectionList* list, int index) const {
  return ::LookupSelected(list, index);
}

void CCleanerDlg::UpdateCheckFromList(const CSelectionList* list) {
  if (!list) return;
  bool someSelected = false, someUnselected = false;
  for (const auto& entry : *list) {
    if (entry->m_bSelected)
      someSelected = true;
    else
      someUnselected = true;
    if (someSelected && someUnselected) break;
  }
  int box = IDC_CHK_SYSFILES;
  int* record = &m_bSysFilesChecked;
  if (list == m_pSTIList.get()) {
    box = IDC_CHK_STI;
    record = &m_bSTIChecked;
  } else if (list == m_pSCSIList.get()) {
    box = IDC_CHK_SCSI;
    record = &m_bSCSIChecked;
  } else if (list == m_pINFList.get()) {
    box = IDC_CHK_INF;
    record = &m_bINFChecked;
  } else if (list == m_pUSBList.get()) {
    box = IDC_CHK_USB;
    record = &m_bUSBChecked;
  }
  if (someSelected && someUnselected) {
    SetCheck(box, BST_INDETERMINATE);
  } else if (someSelected) {
    SetCheck(box, BST_CHECKED);
  } else if (someUnselected) {
    SetCheck(box, BST_UNCHECKED);
    *record = 0;
  }
}

void CCleanerDlg::RunDetail(CSelectionList* list) {
  CDetailDlg detail;
  detail.m_pList = list;
  if (detail.DoModal() == IDOK) UpdateCheckFromList(list);
}
