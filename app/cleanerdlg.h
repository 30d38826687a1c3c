// The main dialog "System Registry Cleaner" and all the state that the removal items share.
// Its methods live beside the subsystem they belong to: app/ (start-up, the detection
// pass, selection, the cleaning run, leaving), sysinfo/, devices/ and files/.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "devices/devicecategory.h"
#include "devices/records.h"
#include "framework/dialog.h"
#include "software/softwarelist.h"

class CCleanerDlg : public fw::CDialog {
 public:
  explicit CCleanerDlg(HWND parent = nullptr);
  ~CCleanerDlg() override;

  // Start-up, painting and the system menu.
  bool OnSysCommand(WPARAM id, LPARAM param, LRESULT& result);
  bool OnPaint(WPARAM, LPARAM, LRESULT& result);
  bool OnQueryDragIcon(WPARAM, LPARAM, LRESULT& result);
  bool OnTimer(WPARAM id, LPARAM, LRESULT& result);

  // The detection pass and the selection of items.
  void DetectItems();
  void OnCheckSTI();
  void OnCheckSCSI();
  void OnCheckUSB();
  void OnCheckINF();
  void OnCheckSysFiles();
  void OnCheck1394();
  void OnSelectAll();
  void OnRefresh();

  // The cleaning run, and the removers that it may run on this system, in their order.
  void OnApply();
  std::vector<std::string> ApplyOrder() const;

  // Leaving.
  bool OnClose(WPARAM, LPARAM, LRESULT& result);
  void PromptRestart();
  void RestartWindows();

  // The Detail dialog's result on a category's check box.
  void UpdateCheckFromList(const CSelectionList* list);
  // Runs the Detail dialog on `list` and, after OK, sets the category's box from it.
  void RunDetail(CSelectionList* list);
  int LookupSelected(const CSelectionList* list, int index) const;

  // System information.
  int IdentifyOS();
  void UpdateMemoryInfo();

  // Still-image, SCSI and USB registrations. With `countOnly` the detectors return the
  // number of matching devices and add nothing; otherwise they append and return 0. The
  // detection pass counts through CountXScanners, which during Select All keeps what it
  // found for the list build that follows (m_keptSTI, m_keptSCSI, m_keptUSB).
  int FindSTIScanners(CFoundKeyList* found, BOOL countOnly);
  int CountSTIScanners();
  void BuildSTIList();
  void RemoveSTIScanners();
  void OnDetailSTI();
  int FindSCSIScanners(CFoundKeyList* found, BOOL countOnly);
  int CountSCSIScanners();
  void BuildSCSIList();
  void RemoveSCSIScanners();
  void OnDetailSCSI();
  int FindUSBScanners(CFoundKeyList* found, BOOL countOnly);
  int CountUSBScanners();
  void BuildUSBList();
  void RemoveUSBScanners();
  void OnDetailUSB();

  // IEEE 1394 data, the EPP driver and ASPI.
  BOOL Find1394Data();
  void Remove1394Data();
  BOOL FindEPPDriver(std::vector<std::string>* paths, BOOL record);
  void RemoveEPPDriver();
  LONG RemoveASPIRegistry();

  // System files, INF files, OEM INF packages and the companion programs.
  void BuildSysFilesList();
  bool ListContainsPath(const CSelectionList* list, std::string path) const;
  void RemoveSystemFiles();
  void OnDetailSysFiles();
  void BuildINFList();
  void RemoveINFFiles();
  void DeleteFilesByPattern(std::string directory, std::string pattern);
  // True when the INF step has files to remove that no settings file lists: the maker's
  // files in INF\Other and, on Windows 2000 and later, its OEM packages.
  bool FindUnlistedINFs() const;
  void OnDetailINF();
  // The maker's OEM packages in the INF folder (oem*.inf names), and their removal.
  std::vector<std::string> FindOemInfs() const;
  void RemoveOemInfs();
  void RemoveEventManager();
  void RemoveDetector();

  // Check boxes, reached by control id.
  int GetCheck(int id) const;
  void SetCheck(int id, int state) const;
  void DisableItem(int id) const;
  // Unchecks and disables an item's box once there is nothing left to remove.
  void RetireItem(int id) const;

  HWND m_pChkSTI = nullptr;
  HWND m_pChkINF = nullptr;
  HWND m_pChkDetector = nullptr;
  HWND m_pChk1394 = nullptr;
  HWND m_pChkUSB = nullptr;
  std::string m_strWinDir;
  std::string m_strIniPath;
  CSoftwareListBox m_lstSoftware;
  DWORD m_dwAvailPhys = 0;
  DWORD m_dwAvailPageFile = 0;
  int m_bNT5 = 0, m_bWin98 = 0, m_bNT4 = 0, m_bWin95 = 0, m_bWinME = 0;
  int m_bEventManagerFound = 0;
  int m_bDetectorFound = 0;
  int m_bSTIFound = 0;
  int m_bSCSIFound = 0;
  int m_bEPPFound = 0;
  int m_bUSBFound = 0;
  int m_bASPIFound = 0;
  int m_bINFFound = 0;
  int m_bSysFilesFound = 0;
  int m_bSysFilesChecked = 0;
  int m_bSTIChecked = 0;
  int m_bSCSIChecked = 0;
  int m_bINFChecked = 0;
  int m_b1394Checked = 0;
  int m_bUSBChecked = 0;
  CSelectionListPtr m_pSysFilesList;
  CSelectionListPtr m_pINFList;
  CSelectionListPtr m_pSTIList;
  CSelectionListPtr m_pSCSIList;
  CSelectionListPtr m_pUSBList;
  CKeptDevices m_keptSTI;
  CKeptDevices m_keptSCSI;
  CKeptDevices m_keptUSB;
  HICON m_hIcon = nullptr;
  std::string m_strOSName;
  int m_bCleaned = 0;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void DiscardLists();
};

// True on Windows 2000 and XP (version 5.0 and 5.1).
bool IsWindows2000OrXP();
