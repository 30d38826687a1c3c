// SCSI devices: one device key per identifier, its first instance naming the maker. Windows
// 95 calls the value "Manufacturer", later systems "Mfg".
#include "app/cleanerdlg.h"
#include "devices/devicecategory.h"
#include "res/resource.h"

namespace {
DeviceCategory Scsi(bool nt5, bool win95) {
  return {nt5 ? "SYSTEM\\CurrentControlSet\\Enum\\SCSI" : "Enum\\SCSI", true,
          win95 ? "Manufacturer" : "Mfg", "ProductID"};
}
}  // namespace

int CCleanerDlg::FindSCSIScanners(CFoundKeyList* found, BOOL countOnly) {
  return FindDevices(Scsi(m_bNT5 != 0, m_bWin95 != 0), found, countOnly);
}

int CCleanerDlg::CountSCSIScanners() { return m_keptSCSI.Count(Scsi(m_bNT5 != 0, m_bWin95 != 0)); }

void CCleanerDlg::BuildSCSIList() {
  RebuildSelectionList(m_pSCSIList, m_keptSCSI.Take(Scsi(m_bNT5 != 0, m_bWin95 != 0)));
  m_bSCSIChecked = 1;
}

void CCleanerDlg::RemoveSCSIScanners() {
  CFoundKeyList found;
  FindSCSIScanners(&found, FALSE);
  if (RemoveSelectedDevices(m_pSCSIList.get(), found, m_bNT5 != 0)) {
    m_bSCSIFound = 0;
    RetireItem(IDC_CHK_SCSI);
  }
}

void CCleanerDlg::OnDetailSCSI() {
  BuildSCSIList();
  RunDetail(m_pSCSIList.get());
}
