// Placeholder bodies, replaced by the device-registration code.
#include "app/cleanerdlg.h"

int CCleanerDlg::FindSTIScanners(CFoundKeyList*, BOOL) { return 0; }
void CCleanerDlg::BuildSTIList() { m_pSTIList.reset(new CSelectionList); m_bSTIChecked = 1; }
void CCleanerDlg::RemoveSTIScanners() {}
void CCleanerDlg::OnDetailSTI() { BuildSTIList(); RunDetail(m_pSTIList.get()); }
int CCleanerDlg::FindSCSIScanners(CFoundKeyList*, BOOL) { return 0; }
void CCleanerDlg::BuildSCSIList() { m_pSCSIList.reset(new CSelectionList); m_bSCSIChecked = 1; }
void CCleanerDlg::RemoveSCSIScanners() {}
void CCleanerDlg::OnDetailSCSI() { BuildSCSIList(); RunDetail(m_pSCSIList.get()); }
int CCleanerDlg::FindUSBScanners(CFoundKeyList*, BOOL) { return 0; }
void CCleanerDlg::BuildUSBList() { m_pUSBList.reset(new CSelectionList); m_bUSBChecked = 1; }
void CCleanerDlg::RemoveUSBScanners() {}
void CCleanerDlg::OnDetailUSB() { BuildUSBList(); RunDetail(m_pUSBList.get()); }
BOOL CCleanerDlg::Find1394Data() { return FALSE; }
void CCleanerDlg::Remove1394Data() {}
BOOL CCleanerDlg::FindEPPDriver(std::vector<std::string>*, BOOL) { return FALSE; }
void CCleanerDlg::RemoveEPPDriver() {}
LONG CCleanerDlg::RemoveASPIRegistry() { return 0; }
