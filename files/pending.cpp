// Placeholder bodies, replaced by the file and companion code.
#include "app/cleanerdlg.h"

void CCleanerDlg::BuildSysFilesList() {
  if (!m_pSysFilesList) m_pSysFilesList.reset(new CSelectionList);
  m_bSysFilesChecked = 1;
}
bool CCleanerDlg::ListContainsPath(const CSelectionList*, std::string) const { return false; }
void CCleanerDlg::RemoveSystemFiles() {}
void CCleanerDlg::OnDetailSysFiles() { BuildSysFilesList(); RunDetail(m_pSysFilesList.get()); }
void CCleanerDlg::BuildINFList() { m_pINFList.reset(new CSelectionList); m_bINFChecked = 1; }
void CCleanerDlg::RemoveINFFiles() {}
void CCleanerDlg::DeleteFilesByPattern(std::string, std::string) {}
void CCleanerDlg::OnDetailINF() { BuildINFList(); RunDetail(m_pINFList.get()); }
void CCleanerDlg::RemoveOemInfs() {}
void CCleanerDlg::RemoveEventManager() {}
void CCleanerDlg::RemoveDetector() {}
