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

// The keys of the devices of the tree that are connected now and not the maker's: removing
// such a device would stop it, so it stays, keys and all. Only Windows 2000 and later tell
// which devices are connected; elsewhere the tree goes whole.
std::vector<std::string> SparedDevices(const Tree& tree) {
  std::vector<std::string> spared;
  for (const std::string& id : platform::DeviceInstances(tree.enumerator, true)) {
    const std::string path = platform::DeviceKeyPath(id);
    platform::RegKey device;
    // A device that cannot be read is not known to be the maker's.
    const bool maker = device.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) &&
                       (NamesMaker(device.QueryText("Mfg")) ||
                        NamesMaker(device.QueryText("DeviceDesc")));
    if (!maker) spared.push_back(path);
  }
  return spared;
}

// What of the tree the item may delete: the whole tree when nothing in it is spared;
// otherwise each device key that holds no spared device, and each instance key that is
// not spared. Empty when the tree is not there.
std::vector<std::string> RemovableKeys(const Tree& which, bool nt5) {
  std::vector<std::string> keys;
  const std::string tree = nt5 ? which.nt : which.win9x;
  platform::RegKey root;
  if (!root.Open(HKEY_LOCAL_MACHINE, tree, KEY_READ)) return keys;
  const std::vector<std::string> spared = nt5 ? SparedDevices(which) : std::vector<std::string>();
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
  const bool nt5 = m_windows.IsNT5();
  std::vector<std::string> keys;
  for (const Tree& tree : kTrees) {
    const std::vector<std::string> some = RemovableKeys(tree, nt5);
    keys.insert(keys.end(), some.begin(), some.end());
  }
  return keys;
}

bool CIeee1394Data::Find() const { return !Removable().empty(); }

CRemovalReport CIeee1394Data::Remove() {
  const bool nt5 = m_windows.IsNT5();
  const std::vector<std::string> before = Removable();
  for (const std::string& key : before) platform::DeleteDeviceKey(nt5, key);
  CRemovalReport report;
  report.m_nKept = static_cast<int>(Removable().size());
  report.m_nRemoved = static_cast<int>(before.size()) > report.m_nKept
                          ? static_cast<int>(before.size()) - report.m_nKept
                          : 0;
  report.m_bEmpty = report.m_nKept == 0;
  return report;
}
