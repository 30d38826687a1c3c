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

bool CEppDriver::Present() const {
  return Find(nullptr, false) || platform::RegistrationLeft(RootAdapterKey(m_windows.IsNT5()));
}

CRemovalReport CEppDriver::Remove() {
  const bool nt5 = m_windows.IsNT5();
  std::vector<std::string> paths;
  const bool found = Find(&paths, true);
  // The root-enumerated adapter goes with the driver, and also when an earlier Apply left
  // it behind (Windows 2000 and XP refuse its delete to all but the Plug and Play service).
  const bool adapter = platform::RegistrationLeft(RootAdapterKey(nt5));
  std::vector<std::string> keys;
  if (found) keys.push_back(paths.front());
  if (found || adapter) keys.push_back(RootAdapterKey(nt5));
  if (m_windows.IsNT4() || nt5) keys.push_back(kAdapterService);
  const std::vector<platform::DeviceKeyRemoval> removals = platform::DeleteDeviceKeys(nt5, keys);

  // The item is over only when neither the driver nor its adapter is there any longer; a
  // second adapter subkey, or a key that survived its removal, stays for the next Apply.
  CRemovalReport report;
  report.m_nRemoved = found || adapter ? 1 : 0;
  report.m_bEmpty = !Present();
  report.m_nKept = report.m_bEmpty ? 0 : 1;
  report.m_nStayed = report.m_nKept;
  for (const platform::DeviceKeyRemoval& removal : removals) {
    report.m_bRestart |= removal.m_bRestart;
    if (!report.m_bEmpty) report.m_stayReasons |= removal.m_refusals;
  }
  return report;
}

std::vector<std::string> CEppDriver::Removable() const {
  const bool nt5 = m_windows.IsNT5();
  // Of the adapter class subkeys, Remove deletes the first.
  std::vector<std::string> keys;
  const bool found = Find(&keys, true);
  if (keys.size() > 1) keys.resize(1);
  const std::string adapter = RootAdapterKey(nt5);
  if (found ? !platform::KeyAbsent(HKEY_LOCAL_MACHINE, adapter) : platform::RegistrationLeft(adapter))
    keys.push_back(adapter);
  if ((m_windows.IsNT4() || nt5) && !platform::KeyAbsent(HKEY_LOCAL_MACHINE, kAdapterService))
    keys.push_back(kAdapterService);
  return keys;
}

LONG CAspiRegistry::Remove() {
  if (m_windows.IsNT5())
    return platform::DeleteKeyTree(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\ASPI32");
  return platform::DeleteKey(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\ASPI32");
}
