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

bool CIeee1394Data::Find() const {
  const bool nt5 = m_windows.IsNT5();
  const bool bus = platform::KeyExists(HKEY_LOCAL_MACHINE, BusKey(nt5));
  const bool sbp2 = platform::KeyExists(HKEY_LOCAL_MACHINE, Sbp2Key(nt5));
  return bus || sbp2;
}

CRemovalReport CIeee1394Data::Remove() {
  const bool nt5 = m_windows.IsNT5();
  platform::DeleteDeviceKey(nt5, BusKey(nt5));
  platform::DeleteDeviceKey(nt5, Sbp2Key(nt5));
  CRemovalReport report;
  report.m_bEmpty = !Find();
  report.m_nKept = report.m_bEmpty ? 0 : 1;
  return report;
}
