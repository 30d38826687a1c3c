#include "devices/devicegroup.h"

// Still-image devices: one class-instance key per scanner or camera, named by "Vendor".
DeviceCategory StillImageDevices(const WindowsVersion& windows) {
  return {windows.IsNT5()
              ? "SYSTEM\\CurrentControlSet\\Control\\Class\\{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}"
              : "System\\CurrentControlSet\\Services\\Class\\Image",
          false, "Vendor", "FriendlyName"};
}

// SCSI devices: one device key per identifier, its first instance naming the maker.
// Windows 95 calls the value "Manufacturer", later systems "Mfg".
DeviceCategory ScsiDevices(const WindowsVersion& windows) {
  return {windows.IsNT5() ? "SYSTEM\\CurrentControlSet\\Enum\\SCSI" : "Enum\\SCSI", true,
          windows.IsWin95() ? "Manufacturer" : "Mfg", "ProductID"};
}

// USB devices: one device key per vendor and product, its first instance naming the maker.
DeviceCategory UsbDevices(const WindowsVersion& windows) {
  return {windows.IsNT5() ? "SYSTEM\\CurrentControlSet\\Enum\\USB" : "Enum\\USB", true, "Mfg",
          "DeviceDesc"};
}

DeviceCategory CDeviceGroup::Category() const {
  return m_row ? m_row(m_windows) : DeviceCategory{std::string(), false, "", ""};
}

int CDeviceGroup::Find(CFoundKeyList* found, bool countOnly) const {
  return FindDevices(Category(), found, countOnly);
}

int CDeviceGroup::Count() { return m_kept.Count(Category()); }

void CDeviceGroup::Build() {
  RebuildSelectionList(m_pList, m_kept.Take(Category()));
  m_bChecked = true;
}

CRemovalReport CDeviceGroup::Remove() {
  CFoundKeyList found;
  Find(&found, false);
  const CRemovalReport report = RemoveSelectedDevices(m_pList.get(), found, m_windows.IsNT5());
  if (report.m_bEmpty) m_bFound = false;
  return report;
}
