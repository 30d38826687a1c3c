// One category of device registrations with a Detail list: the still-image, SCSI or USB
// scanners. It finds the maker's devices, builds the selection list from them and removes
// the devices the user chose; the detection pass's findings may be kept for the list
// build that follows.
#pragma once
#include <utility>

#include "devices/devicecategory.h"
#include "devices/records.h"
#include "sysinfo/osinfo.h"

// The key and values that each category reads, by Windows version.
DeviceCategory StillImageDevices(const WindowsVersion& windows);
DeviceCategory ScsiDevices(const WindowsVersion& windows);
DeviceCategory UsbDevices(const WindowsVersion& windows);

class CDeviceGroup : public CListedItem {
 public:
  using Row = DeviceCategory (*)(const WindowsVersion&);

  CDeviceGroup() = default;
  CDeviceGroup(Row row, WindowsVersion windows) : m_row(row), m_windows(std::move(windows)) {}

  // With `countOnly` the number of the maker's devices; otherwise appends one record per
  // device to `found` and returns 0.
  int Find(CFoundKeyList* found, bool countOnly) const;
  // The detection pass's count, kept for the next Build while the findings are armed.
  int Count();
  // Rebuilds the selection list, marks carried over by position, and records the box as
  // checked.
  void Build() override;
  // Removes the selected devices that a fresh detection still finds (see
  // RemoveSelectedDevices); once nothing is left the item counts as no longer found.
  CRemovalReport Remove() override;

  CKeptDevices* Findings() { return &m_kept; }

 private:
  DeviceCategory Category() const;

  Row m_row = nullptr;
  WindowsVersion m_windows;
  CKeptDevices m_kept;
};
