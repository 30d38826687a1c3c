#include "devices/fixeditems.h"
#include "platform/registry.h"

namespace {
const char* BusKey(bool nt5) {
  return nt5 ? "SYSTEM\\CurrentControlSet\\Enum\\1394" : "Enum\\1394";
}
const char* Sbp2Key(bool nt5) {
  return nt5 ? "SYSTEM\\CurrentControlSet\\Enum\\SBP2" : "Enum\\SBP2";
}
}  // namespace

namespace {
int TreesPresent(bool nt5) {
  return (platform::KeyExists(HKEY_LOCAL_MACHINE, BusKey(nt5)) ? 1 : 0) +
         (platform::KeyExists(HKEY_LOCAL_MACHINE, Sbp2Key(nt5)) ? 1 : 0);
}
}  // namespace

bool CIeee1394Data::Find() const { return TreesPresent(m_windows.IsNT5()) > 0; }

CRemovalReport CIeee1394Data::Remove() {
  const bool nt5 = m_windows.IsNT5();
  const int before = TreesPresent(nt5);
  platform::DeleteDeviceKey(nt5, BusKey(nt5));
  platform::DeleteDeviceKey(nt5, Sbp2Key(nt5));
  CRemovalReport report;
  report.m_nKept = TreesPresent(nt5);
  report.m_nRemoved = before > report.m_nKept ? before - report.m_nKept : 0;
  report.m_bEmpty = report.m_nKept == 0;
  return report;
}
