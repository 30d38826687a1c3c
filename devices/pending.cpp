// Placeholder bodies, replaced by the device-registration code.
#include "app/cleanerdlg.h"

BOOL CCleanerDlg::Find1394Data() { return FALSE; }
void CCleanerDlg::Remove1394Data() {}
BOOL CCleanerDlg::FindEPPDriver(std::vector<std::string>*, BOOL) { return FALSE; }
void CCleanerDlg::RemoveEPPDriver() {}
LONG CCleanerDlg::RemoveASPIRegistry() { return 0; }
