// The main dialog "System Registry Cleaner". app/ owns the application, this dialog and
// its state: the Windows version, the removal items and their boxes, the detection pass,
// the selection of items, the cleaning run and leaving. It may include every other folder;
// no other folder includes app/.
//
// Each removal item is an object of its own folder that reports what it did; the dialog
// alone turns those reports into box states. The operations keep their names here as
// short forwards, so that each can be found by its name.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/removalitems.h"
#include "devices/records.h"
#include "framework/dialog.h"
#include "res/resource.h"
#include "software/softwarelist.h"
#include "sysinfo/osinfo.h"

class CCleanerDlg : public fw::CDialog {
 public:
  explicit CCleanerDlg(HWND parent = nullptr);
  ~CCleanerDlg() override;

  // The detection pass: disables the boxes of the items that are absent.
  void DetectItems();
  // The removers that the cleaning run may run on this system, in their order.
  std::vector<std::string> ApplyOrder() const { return ApplyOrder(m_windows); }
  static std::vector<std::string> ApplyOrder(const WindowsVersion& windows);

  // Leaving: the restart question after a cleaning run or once Windows asked for a
  // restart, and the restart itself.
  void PromptRestart();
  void RestartWindows();
  // Takes in the report of the removal of the item whose box is `box`: what stayed, and
  // whether Windows asked for a restart. The removers below hand theirs over.
  void Record(int box, const CRemovalReport& report);

  // The Detail dialog's result on the box of the item that owns `list`.
  void UpdateCheckFromList(const CSelectionList* list);
  bool LookupSelected(const CSelectionList* list, int index) const;

  // System information.
  int IdentifyOS();
  void UpdateMemoryInfo();

  // Still-image, SCSI and USB registrations.
  int FindSTIScanners(CFoundKeyList* found, bool countOnly) {
    return m_items.m_sti.Find(found, countOnly);
  }
  int CountSTIScanners() { return m_items.m_sti.Count(); }
  void BuildSTIList() { BuildList(IDC_CHK_STI); }
  void RemoveSTIScanners() { RemoveListed(IDC_CHK_STI); }
  int FindSCSIScanners(CFoundKeyList* found, bool countOnly) {
    return m_items.m_scsi.Find(found, countOnly);
  }
  int CountSCSIScanners() { return m_items.m_scsi.Count(); }
  void BuildSCSIList() { BuildList(IDC_CHK_SCSI); }
  void RemoveSCSIScanners() { RemoveListed(IDC_CHK_SCSI); }
  int FindUSBScanners(CFoundKeyList* found, bool countOnly) {
    return m_items.m_usb.Find(found, countOnly);
  }
  int CountUSBScanners() { return m_items.m_usb.Count(); }
  void BuildUSBList() { BuildList(IDC_CHK_USB); }
  void RemoveUSBScanners() { RemoveListed(IDC_CHK_USB); }

  // IEEE 1394 data, the EPP driver and ASPI.
  bool Find1394Data() const { return m_items.m_1394.Find(); }
  void Remove1394Data();
  bool FindEPPDriver(std::vector<std::string>* paths, bool record) const {
    return m_items.m_epp.Find(paths, record);
  }
  void RemoveEPPDriver();
  LONG RemoveASPIRegistry();

  // System files, INF files, OEM INF packages and the companion programs.
  void BuildSysFilesList() { BuildList(IDC_CHK_SYSFILES); }
  bool ListContainsPath(const CSelectionList* list, const std::string& path) const {
    return CSystemFiles::ListContainsPath(list, path);
  }
  void RemoveSystemFiles() { RemoveListed(IDC_CHK_SYSFILES); }
  void BuildINFList() { BuildList(IDC_CHK_INF); }
  void RemoveINFFiles() { RemoveListed(IDC_CHK_INF); }
  void DeleteFilesByPattern(const std::string& directory, const std::string& pattern) {
    CInfFiles::DeleteFilesByPattern(directory, pattern);
  }
  bool FindUnlistedINFs() const { return m_items.m_inf.FindUnlisted(); }
  std::vector<std::string> FindOemInfs() const;
  void RemoveOemInfs();
  void RemoveEventManager();
  void RemoveDetector();

  // What the dialog holds, for reading and for marking entries as the Detail dialog does.
  const WindowsVersion& Windows() const { return m_windows; }
  CDeviceGroup& StillImage() { return m_items.m_sti; }
  CDeviceGroup& Scsi() { return m_items.m_scsi; }
  CDeviceGroup& Usb() { return m_items.m_usb; }
  CSystemFiles& SystemFiles() { return m_items.m_sysFiles; }
  CInfFiles& InfFiles() { return m_items.m_inf; }
  CSoftwareListBox& Software() { return m_lstSoftware; }
  // True once Apply has run: leaving then offers a restart.
  bool Cleaned() const { return m_bCleaned; }
  // The program's records of the item whose box is `box`: whether the detection pass found
  // it, and the state in which the program last put its box (false for items without one).
  bool Found(int box) const;
  bool Checked(int box) const;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  static const UINT_PTR kMemoryTimer = 100;
  static const fw::MessageEntry<CCleanerDlg> kMessages[];

  // Start-up, painting, the system menu and the memory timer.
  bool OnSysCommand(WPARAM id, LPARAM param, LRESULT& result);
  bool OnPaint(WPARAM, LPARAM, LRESULT& result);
  bool OnQueryDragIcon(WPARAM, LPARAM, LRESULT& result);
  bool OnTimer(WPARAM id, LPARAM, LRESULT& result);
  bool OnClose(WPARAM, LPARAM, LRESULT& result);

  // The selection of items, the Detail buttons and the cleaning run.
  void OnCheckSTI() { ToggleListBox(IDC_CHK_STI); }
  void OnCheckSCSI() { ToggleListBox(IDC_CHK_SCSI); }
  void OnCheckUSB() { ToggleListBox(IDC_CHK_USB); }
  void OnCheckINF() { ToggleListBox(IDC_CHK_INF); }
  void OnCheckSysFiles() { ToggleListBox(IDC_CHK_SYSFILES); }
  void OnCheck1394();
  void OnSelectAll();
  void OnRefresh();
  void OnDetailSTI() { OnDetail(IDC_CHK_STI); }
  void OnDetailSCSI() { OnDetail(IDC_CHK_SCSI); }
  void OnDetailUSB() { OnDetail(IDC_CHK_USB); }
  // Only shows the list: the unlisted INF files go in the cleaning run, never on a look.
  void OnDetailINF() { OnDetail(IDC_CHK_INF); }
  void OnDetailSysFiles() { OnDetail(IDC_CHK_SYSFILES); }
  void OnApply();

  // The checked items that a cleaning run left, with why where known (StayReason bits).
  struct StayedItem {
    int box;
    unsigned reasons;
  };
  // One message box, after the run, naming what stayed.
  void ReportStayed() const;

  // The five items with a Detail list, each reached by the id of its box.
  static const int kListedBoxes[5];
  CListedItem* ListedItem(int box);
  const CListedItem* ListedItem(int box) const;
  // What the boxes with a Detail list share: a click, the Detail button, the removal.
  void ToggleListBox(int box);
  void OnDetail(int box);
  void RemoveListed(int box);
  // Before a detection pass, which only clears the found records of what is absent.
  void PresumeFound();
  // Builds the item's list; its record stays what its box shows.
  void BuildList(int box);
  // Runs the Detail dialog on the item's list and, after OK, sets the item's box.
  void RunDetail(CListedItem& item);
  // Starts from a fresh set of items for the Windows that runs.
  void CreateItems();
  void DiscardLists();

  // Check boxes, reached by control id. Setting a listed item's box sets its record too.
  int GetCheck(int id) const;
  void SetCheck(int id, int state);
  void RecordBox(int box);
  void DisableItem(int id) const;
  // Unchecks and disables an item's box once there is nothing left to remove.
  void RetireItem(int id);

  WindowsVersion m_windows;
  std::string m_strWinDir;
  std::string m_strIniPath;
  CRemovalItems m_items;
  CSoftwareListBox m_lstSoftware;

  bool m_bEventManagerFound = false;
  bool m_bDetectorFound = false;
  bool m_bEPPFound = false;
  bool m_bASPIFound = false;
  bool m_b1394Checked = false;
  bool m_bCleaned = false;
  // Of the last Apply; Select All clears neither.
  std::vector<StayedItem> m_stayed;
  bool m_bRestartAsked = false;
  DWORD m_dwAvailPhys = 0;
  DWORD m_dwAvailPageFile = 0;
  HICON m_hIcon = nullptr;
};
