// Still-image devices: one class-instance key per scanner or camera, named by "Vendor".
#include "app/cleanerdlg.h"
#include "devices/devicecategory.h"
#include "res/resource.h"

namespace {
DeviceCategory StillImage(bool nt5) {
  return {nt5 ? "SYSTEM\\CurrentControlSet\\Control\\Class\\{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}"
              : "System\\CurrentControlSet\\Services\\Class\\Image",
          false, "Vendor", "FriendlyName"};
}
}  // namespace

int CCleanerDlg::FindSTIScanners(CFoundKeyList* found, BOOL countOnly) {
  return FindDevices(StillImage(m_bNT5 != 0), found, countOnly);
}

int CCleanerDlg::CountSTIScanners() { return m_keptSTI.Count(StillImage(m_bNT5 != 0)); }

void CCleanerDlg::BuildSTIList() {
  RebuildSelectionList(m_pSTIList, m_keptSTI.Take(StillImage(m_bNT5 != 0)));
  m_bSTIChecked = 1;
}

void CCleanerDlg::RemoveSTIScanners() {
  CFoundKeyList found;
  FindSTIScanners(&found, FALSE);
  if (RemoveSelectedDevices(m_pSTIList.get(), found, m_bNT5 != 0)) {
    m_bSTIFound = 0;
    RetireItem(IDC_CHK_STI);
  }
}

void CCleanerDlg::OnDetailSTI() {
  BuildSTIList();
  RunDetail(m_pSTIList.get());
}
