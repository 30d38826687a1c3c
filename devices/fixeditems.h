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

// The IEEE 1394 bus and SBP-2 enumeration trees, removed whole whoever made the devices.
class CIeee1394Data {
 public:
  CIeee1394Data() = default;
  explicit CIeee1394Data(WindowsVersion windows) : m_windows(std::move(windows)) {}

  bool Find() const;
  // Empty when neither tree is left: RegDeleteKeyA on the NT family keeps a key with
  // subkeys, and the item then stays for the next Apply.
  CRemovalReport Remove();

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
  // m_nRemoved is 1 when an adapter was there to delete; empty once none is found.
  CRemovalReport Remove();

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
