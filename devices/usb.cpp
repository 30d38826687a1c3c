// USB devices: one device key per vendor and product, its first instance naming the maker.
#include "app/cleanerdlg.h"
#include "devices/devicecategory.h"
#include "res/resource.h"

namespace {
DeviceCategory Usb(bool nt5) {
  return {nt5 ? "SYSTEM\\CurrentControlSet\\Enum\\USB" : "Enum\\USB", true, "Mfg", "DeviceDesc"};
}
}  // namespace

int CCleanerDlg::FindUSBScanners(CFoundKeyList* found, BOOL countOnly) {
  return FindDevices(Usb(m_bNT5 != 0), found, countOnly);
}

int CCleanerDlg::CountUSBScanners() { return m_keptUSB.Count(Usb(m_bNT5 != 0)); }

void CCleanerDlg::BuildUSBList() {
  RebuildSelectionList(m_pUSBList, m_keptUSB.Take(Usb(m_bNT5 != 0)));
  m_bUSBChecked = 1;
}

void CCleanerDlg::RemoveUSBScanners() {
  CFoundKeyList found;
  FindUSBScanners(&found, FALSE);
  if (RemoveSelectedDevices(m_pUSBList.get(), found, m_bNT5 != 0)) {
    m_bUSBFound = 0;
    RetireItem(IDC_CHK_USB);
  }
}

void CCleanerDlg::OnDetailUSB() {
  BuildUSBList();
  RunDetail(m_pUSBList.get());
}
