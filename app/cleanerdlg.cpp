#include "app/cleanerdlg.h"

#include "app/globals.h"
#include "framework/app.h"
#include "framework/gdi.h"
#include "platform/files.h"
#include "res/resource.h"
#include "sysinfo/memory.h"
#include "ui/guidance.h"

const fw::MessageEntry<CCleanerDlg> CCleanerDlg::kMessages[] = {
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

CCleanerDlg::CCleanerDlg(HWND parent) : fw::CDialog(IDD_DRVPURGE_DIALOG, parent) {
  m_hIcon = ::LoadIconA(fw::Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CCleanerDlg::~CCleanerDlg() { DiscardLists(); }

void CCleanerDlg::CreateItems() {
  m_items = CRemovalItems(m_strWinDir, m_strIniPath, m_windows);
  m_lstSoftware.SetWindows(m_windows);
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
  g_bShowDetail = true;

  m_lstSoftware.SubclassDlgItem(IDC_SOFTWARE, m_hWnd);

  m_strWinDir = platform::WindowsDirectory();
  m_strIniPath = platform::DirectoryOf(platform::ModulePath()) + "\\DrvPurge.ini";

  m_windows = WindowsVersion();
  IdentifyOS();
  CreateItems();
  m_bCleaned = false;

  PresumeFound();
  DetectItems();

  // The items are fresh: no list is built yet and every box shows unchecked, the system
  // files' too once its list is built: nothing is marked for deletion until the user asks.
  m_lstSoftware.FillSoftwareList();
  BuildSysFilesList();

  ::SetDlgItemTextA(m_hWnd, IDC_OSNAME, m_windows.Name().c_str());
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
  fw::CPaintDC dc(m_hWnd);
  ::SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
  int cxIcon = ::GetSystemMetrics(SM_CXICON);
  int cyIcon = ::GetSystemMetrics(SM_CYICON);
  RECT rect;
  ::GetClientRect(m_hWnd, &rect);
  int x = (rect.right - rect.left - cxIcon + 1) / 2;
  int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
  if (m_hIcon) ::DrawIcon(dc, x, y, m_hIcon);
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

int CCleanerDlg::IdentifyOS() {
  WindowsVersion windows;
  if (!IdentifyWindows(windows)) return 0;
  m_windows = windows;
  return 1;
}

void CCleanerDlg::UpdateMemoryInfo() {
  DWORD physical = 0, pageFile = 0;
  ReadAvailableMemory(physical, pageFile);
  const MemoryFigure shownPhysical = FigureOf(physical);
  const MemoryFigure shownPageFile = FigureOf(pageFile);
  ::SetDlgItemTextA(m_hWnd, IDC_PHYSMEM, shownPhysical.m_strText.c_str());
  ::SetDlgItemTextA(m_hWnd, IDC_VIRTMEM, shownPageFile.m_strText.c_str());
  m_dwAvailPhys = shownPhysical.m_dwShown;
  m_dwAvailPageFile = shownPageFile.m_dwShown;
}
