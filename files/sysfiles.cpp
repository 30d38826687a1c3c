// The scanner's system files: the maker's libraries and drivers and the TWAIN files in the
// Windows directory tree.
#include "app/cleanerdlg.h"
#include "platform/files.h"
#include "platform/text.h"
#include "res/resource.h"

namespace {
const char* const kTwainFiles[] = {"\\Twain.dll", "\\Twain_32.dll", "\\Twunk_16.exe",
                                   "\\Twunk_32.exe"};

// True when the file is gone: deleted now, or not there to begin with. A file that would
// not go (read-only, in use, no rights) is still there and must stay listed.
bool DeleteOrFindGone(const std::string& path) {
  DWORD error = 0;
  if (platform::DeleteFile(path, &error)) return true;
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}
}  // namespace

void CCleanerDlg::BuildSysFilesList() {
  if (!m_pSysFilesList) m_pSysFilesList.reset(new CSelectionList);
  CSelectionList& list = *m_pSysFilesList;

  // Entries already listed keep their numbers; those this run adds count from 0.
  int number = -1;
  auto offer = [&](const std::string& path) {
    if (ListContainsPath(&list, path)) return;
    list.emplace_back(new CSelectionEntry{path, ++number, 1});
  };
  auto offerIfPresent = [&](const char* literal) {
    const std::string path = m_strWinDir + literal;
    if (platform::FileOpensExclusively(path)) offer(path);
  };

  offerIfPresent("\\System32\\Qlmcfg.dll");
  if (!m_bWin95 && !m_bNT4) {
    const std::string directory = m_strWinDir + (m_bWin98 ? "\\System" : "\\System32");
    for (const std::string& name : platform::FindFiles(directory + "\\qlvimx*.dll"))
      offer(directory + "\\" + name);
  }
  if (m_bWin98) offerIfPresent("\\System32\\Drivers\\Qlx1394s.sys");
  if (!m_bNT4 && !m_bNT5)
    offerIfPresent(m_bWin95 ? "\\System\\qlimgdv.sys" : "\\System32\\Drivers\\qlimgdv.sys");
  for (const char* twain : kTwainFiles) offerIfPresent(twain);

  m_bSysFilesChecked = 1;
}

bool CCleanerDlg::ListContainsPath(const CSelectionList* list, std::string path) const {
  if (!list) return false;
  for (const auto& entry : *list)
    if (platform::SameTextNoCase(entry->m_strText, path)) return true;
  return false;
}

void CCleanerDlg::RemoveSystemFiles() {
  if (!m_pSysFilesList) return;
  CSelectionList& list = *m_pSysFilesList;
  for (auto it = list.begin(); it != list.end();) {
    if ((*it)->m_bSelected && DeleteOrFindGone((*it)->m_strText))
      it = list.erase(it);
    else
      ++it;
  }
  if (list.empty()) {
    m_bSysFilesFound = 0;
    RetireItem(IDC_CHK_SYSFILES);
  }
}

void CCleanerDlg::OnDetailSysFiles() {
  BuildSysFilesList();
  RunDetail(m_pSysFilesList.get());
}
