// The IEEE 1394 bus and SBP-2 enumeration trees, removed whole whoever made the devices.
#include "app/cleanerdlg.h"
#include "platform/registry.h"
#include "res/resource.h"

namespace {
const char* BusKey(bool nt5) {
  return nt5 ? "SYSTEM\\CurrentControlSet\\Enum\\1394" : "Enum\\1394";
}
const char* Sbp2Key(bool nt5) {
  return nt5 ? "SYSTEM\\CurrentControlSet\\Enum\\SBP2" : "Enum\\SBP2";
}
}  // namespace

BOOL CCleanerDlg::Find1394Data() {
  const bool bus = platform::KeyExists(HKEY_LOCAL_MACHINE, BusKey(m_bNT5 != 0));
  const bool sbp2 = platform::KeyExists(HKEY_LOCAL_MACHINE, Sbp2Key(m_bNT5 != 0));
  return bus || sbp2;
}

void CCleanerDlg::Remove1394Data() {
  platform::DeleteDeviceKey(m_bNT5 != 0, BusKey(m_bNT5 != 0));
  platform::DeleteDeviceKey(m_bNT5 != 0, Sbp2Key(m_bNT5 != 0));
  // A tree that survived its delete (RegDeleteKeyA on the NT family keeps a key with
  // subkeys) leaves the box checked, so that the next Apply tries again.
  if (Find1394Data()) return;
  RetireItem(IDC_CHK_1394);
  m_b1394Checked = 0;
}
