// The device items without a Detail list: the IEEE 1394 data, the parallel-port (EPP)
// adapter driver and, on Windows NT 4.0, the ASPI service. Each finds and removes what it
// stands for and says whether anything is left; the dialog keeps their records and boxes.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "devices/records.h"
#include "sysinfo/osinfo.h"

// The IEEE 1394 bus and SBP-2 enumeration trees, removed whole whoever made the devices,
// but for a device of another maker that is connected now (Windows 2000 and later know
// which are): removing it would stop it, so it stays with its keys. Where those systems
// cannot list the connected devices, every other maker's device stays.
class CIeee1394Data {
 public:
  CIeee1394Data() = default;
  explicit CIeee1394Data(WindowsVersion windows) : m_windows(std::move(windows)) {}

  // True when a key that the item may remove still holds a device instance: an emptied
  // device or enumerator key that Windows keeps is nothing to remove.
  bool Find() const;
  // m_nRemoved and m_nKept count keys: a whole tree, or a device or instance key beside
  // a spared device. Empty when nothing is left that the item may remove; a key that
  // survived its removal keeps the item for the next Apply and is reported as stayed.
  CRemovalReport Remove();
  // The keys below HKEY_LOCAL_MACHINE that Remove would delete now.
  std::vector<std::string> Removable() const;

 private:
  WindowsVersion m_windows;
};

// The SimpleSCSI parallel-port adapter: its class subkeys, its root-enumerated key and,
// on the NT family, its service.
class CEppDriver {
 public:
  CEppDriver() = default;
  explicit CEppDriver(WindowsVersion windows) : m_windows(std::move(windows)) {}

  // True when an adapter class subkey names SimpleSCSI; with `record` their paths are
  // appended to `paths`.
  bool Find(std::vector<std::string>* paths, bool record) const;
  // True while the driver is found or its root-enumerated adapter key is still there.
  bool Present() const;
  // m_nRemoved is 1 when an adapter was there to delete; empty once nothing is Present.
  // What is still there afterwards counts as stayed, with Windows' reason.
  CRemovalReport Remove();
  // The keys below HKEY_LOCAL_MACHINE that Remove would delete now.
  std::vector<std::string> Removable() const;

 private:
  WindowsVersion m_windows;
};

// The ASPI service of Windows NT 4.0.
class CAspiRegistry {
 public:
  CAspiRegistry() = default;
  explicit CAspiRegistry(WindowsVersion windows) : m_windows(std::move(windows)) {}

  // The delete's result.
  LONG Remove();

 private:
  WindowsVersion m_windows;
};
