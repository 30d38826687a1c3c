#include "devices/fixeditems.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace {
// One form on every system: the adapter class key of Windows 9x.
const char kAdapterClass[] = "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter";
const char kAdapterService[] = "SYSTEM\\CurrentControlSet\\Services\\ONSIO";

const char* RootAdapterKey(bool nt5) {
  return nt5 ? "SYSTEM\\CurrentControlSet\\Enum\\Root\\SCSIAdapter\\SimpleSCSI"
             : "Enum\\Root\\SCSIAdapter\\SimpleSCSI";
}
}  // namespace

bool CEppDriver::Find(std::vector<std::string>* paths, bool record) const {
  platform::RegKey adapters;
  if (!adapters.Open(HKEY_LOCAL_MACHINE, kAdapterClass, KEY_READ)) return false;
  bool found = false;
  std::string name;
  for (DWORD index = 0; adapters.EnumKey(index, name); ++index) {
    if (!platform::ContainsWord(name, "SimpleSCSI")) continue;
    found = true;
    if (record && paths) paths->push_back(std::string(kAdapterClass) + "\\" + name);
  }
  return found;
}

CRemovalReport CEppDriver::Remove() {
  const bool nt5 = m_windows.IsNT5();
  std::vector<std::string> paths;
  const bool found = Find(&paths, true);
  if (found) platform::DeleteDeviceKey(nt5, paths.front());
  // The root-enumerated adapter goes with the driver, and also when an earlier Apply left
  // it behind (Windows 2000 and XP refuse its delete to all but the Plug and Play service).
  const bool adapter = !platform::KeyAbsent(HKEY_LOCAL_MACHINE, RootAdapterKey(nt5));
  if (found || adapter) platform::DeleteDeviceKey(nt5, RootAdapterKey(nt5));
  if (m_windows.IsNT4() || nt5) platform::DeleteDeviceKey(nt5, kAdapterService);

  // The item is over only when neither the driver nor its adapter is found any longer; a
  // second adapter subkey, or a key that survived its delete, stays for the next Apply.
  CRemovalReport report;
  report.m_nRemoved = found || adapter ? 1 : 0;
  report.m_bEmpty = !Find(nullptr, false) && platform::KeyAbsent(HKEY_LOCAL_MACHINE, RootAdapterKey(nt5));
  report.m_nKept = report.m_bEmpty ? 0 : 1;
  return report;
}

LONG CAspiRegistry::Remove() {
  if (m_windows.IsNT5())
    return platform::DeleteKeyTree(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\ASPI32");
  return platform::DeleteKey(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\ASPI32");
}
