// The parallel-port SCSI adapter driver and, on Windows NT 4.0, the ASPI service.
#include "app/cleanerdlg.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "res/resource.h"

namespace {
// One form on every system: the adapter class key of Windows 9x.
const char kAdapterClass[] = "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter";
const char kAdapterService[] = "SYSTEM\\CurrentControlSet\\Services\\ONSIO";

const char* RootAdapterKey(bool nt5) {
  return nt5 ? "SYSTEM\\CurrentControlSet\\Enum\\Root\\SCSIAdapter\\SimpleSCSI"
             : "Enum\\Root\\SCSIAdapter\\SimpleSCSI";
}
}  // namespace

BOOL CCleanerDlg::FindEPPDriver(std::vector<std::string>* paths, BOOL record) {
  platform::RegKey adapters;
  if (!adapters.Open(HKEY_LOCAL_MACHINE, kAdapterClass, KEY_ALL_ACCESS)) return FALSE;
  BOOL found = FALSE;
  std::string name;
  for (DWORD index = 0; adapters.EnumKey(index, name); ++index) {
    if (!platform::ContainsWord(name, "SimpleSCSI")) continue;
    found = TRUE;
    if (record && paths) paths->push_back(std::string(kAdapterClass) + "\\" + name);
  }
  return found;
}

void CCleanerDlg::RemoveEPPDriver() {
  const bool nt5 = m_bNT5 != 0;
  std::vector<std::string> paths;
  const bool found = FindEPPDriver(&paths, TRUE) != FALSE;
  if (found) {
    platform::DeleteDeviceKey(nt5, paths.front());
    platform::DeleteDeviceKey(nt5, RootAdapterKey(nt5));
  }
  if (m_bNT4 || m_bNT5) platform::DeleteDeviceKey(nt5, kAdapterService);

  // The item is over only when the driver is no longer found; a second adapter subkey or
  // one that survived its delete keeps the box checked for the next Apply.
  if (FindEPPDriver(nullptr, FALSE)) return;
  if (found) RetireItem(IDC_CHK_EPP);
  m_bEPPFound = 0;
}

LONG CCleanerDlg::RemoveASPIRegistry() {
  LONG result = m_bNT5 ? platform::DeleteKeyTree(HKEY_LOCAL_MACHINE,
                                                 "SYSTEM\\CurrentControlSet\\Services\\ASPI32")
                       : platform::DeleteKey(HKEY_LOCAL_MACHINE,
                                             "System\\CurrentControlSet\\Services\\ASPI32");
  m_bASPIFound = 0;
  return result;
}
