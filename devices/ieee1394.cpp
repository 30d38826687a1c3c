#include <vector>

#include "devices/devicecategory.h"
#include "devices/fixeditems.h"
#include "platform/devicemanager.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace {
struct Tree {
  const char* enumerator;
  const char* nt;
  const char* win9x;
};
const Tree kTrees[] = {
    {"1394", "SYSTEM\\CurrentControlSet\\Enum\\1394", "Enum\\1394"},
    {"SBP2", "SYSTEM\\CurrentControlSet\\Enum\\SBP2", "Enum\\SBP2"},
};

// A device instance that cannot be read is not known to be the maker's.
bool OtherMakers(const std::string& path) {
  platform::RegKey device;
  return !device.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) ||
         !(NamesMaker(device.QueryText("Mfg")) || NamesMaker(device.QueryText("DeviceDesc")));
}

// The instance keys of the tree at `root` that stay: another maker's devices that are
// connected now, since removing one would stop it. Only Windows 2000 and later tell which
// are; there, when they cannot be listed, any other maker's device may be one, and all of
// them stay. Elsewhere none does.
std::vector<std::string> SparedDevices(const Tree& tree, const std::string& root,
                                       bool connectedKnown) {
  std::vector<std::string> spared;
  if (!connectedKnown) return spared;
  std::vector<std::string> ids;
  if (platform::ListDevices(tree.enumerator, true, &ids)) {
    for (const std::string& id : ids)
      if (OtherMakers(platform::DeviceKeyPath(id))) spared.push_back(platform::DeviceKeyPath(id));
    return spared;
  }
  platform::RegKey bus;
  if (!bus.Open(HKEY_LOCAL_MACHINE, root, KEY_READ)) return spared;
  std::string name, instance;
  for (DWORD index = 0; bus.EnumKey(index, name); ++index) {
    platform::RegKey device;
    if (!device.Open(bus.Handle(), name, KEY_READ)) continue;
    for (DWORD at = 0; device.EnumKey(at, instance); ++at) {
      const std::string path = root + "\\" + name + "\\" + instance;
      if (OtherMakers(path)) spared.push_back(path);
    }
  }
  return spared;
}

// What of the tree the item may delete: the whole tree when nothing in it is spared;
// otherwise each device key that holds no spared device, and each instance key that is
// not spared. Empty when the tree is not there.
std::vector<std::string> RemovableKeys(const Tree& which, const WindowsVersion& windows) {
  std::vector<std::string> keys;
  const std::string tree = windows.IsNT5() ? which.nt : which.win9x;
  platform::RegKey root;
  if (!root.Open(HKEY_LOCAL_MACHINE, tree, KEY_READ)) return keys;
  const std::vector<std::string> spared =
      SparedDevices(which, tree, windows.IsNT5() && !windows.IsNT4());
  auto holdsSpared = [&spared](const std::string& path) {
    for (const std::string& device : spared)
      if (platform::PathWithin(device, path)) return true;
    return false;
  };
  if (!holdsSpared(tree)) {
    keys.push_back(tree);
    return keys;
  }
  std::string name, instance;
  for (DWORD index = 0; root.EnumKey(index, name); ++index) {
    const std::string devicePath = tree + "\\" + name;
    if (!holdsSpared(devicePath)) {
      keys.push_back(devicePath);
      continue;
    }
    platform::RegKey device;
    if (!device.Open(root.Handle(), name, KEY_READ)) continue;
    for (DWORD at = 0; device.EnumKey(at, instance); ++at)
      if (!holdsSpared(devicePath + "\\" + instance)) keys.push_back(devicePath + "\\" + instance);
  }
  return keys;
}
}  // namespace

std::vector<std::string> CIeee1394Data::Removable() const {
  std::vector<std::string> keys;
  for (const Tree& tree : kTrees) {
    const std::vector<std::string> some = RemovableKeys(tree, m_windows);
    keys.insert(keys.end(), some.begin(), some.end());
  }
  return keys;
}

bool CIeee1394Data::Find() const {
  for (const std::string& key : Removable())
    if (platform::RegistrationLeft(key)) return true;
  return false;
}

CRemovalReport CIeee1394Data::Remove() {
  const std::vector<std::string> keys = Removable();
  const std::vector<platform::DeviceKeyRemoval> removals =
      platform::DeleteDeviceKeys(m_windows.IsNT5(), keys);
  CRemovalReport report;
  for (const platform::DeviceKeyRemoval& removal : removals) {
    report.m_bRestart |= removal.m_bRestart;
    if (!removal.m_bLeft) continue;
    ++report.m_nKept;
    report.m_stayReasons |= removal.m_refusals;
  }
  report.m_nRemoved = static_cast<int>(keys.size()) - report.m_nKept;
  report.m_nStayed = report.m_nKept;
  report.m_bEmpty = report.m_nKept == 0;
  return report;
}
