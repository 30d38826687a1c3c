#include "files/sysfiles.h"

#include <algorithm>

#include "files/filestay.h"
#include "platform/files.h"
#include "platform/text.h"

namespace {
const char* const kTwainFiles[] = {"\\Twain.dll", "\\Twain_32.dll", "\\Twunk_16.exe",
                                   "\\Twunk_32.exe"};
}  // namespace

void CSystemFiles::Build() {
  if (!m_pList) m_pList.reset(new CSelectionList);
  DropGoneEntries();
  CSelectionList& list = *m_pList;

  // Entries already listed keep their numbers; those this run adds count from 0.
  int number = -1;
  auto offer = [&](const std::string& path) {
    if (ListContainsPath(&list, path)) return;
    list.emplace_back(new CSelectionEntry{path, ++number, true});
  };
  auto offerIfPresent = [&](const char* literal) {
    const std::string path = m_strWinDir + literal;
    if (platform::FileOpensExclusively(path)) offer(path);
  };

  const bool win95 = m_windows.IsWin95(), win98 = m_windows.IsWin98();
  const bool nt4 = m_windows.IsNT4(), nt5 = m_windows.IsNT5();
  offerIfPresent("\\System32\\Qlmcfg.dll");
  if (!win95 && !nt4) {
    const std::string directory = m_strWinDir + (win98 ? "\\System" : "\\System32");
    for (const std::string& name : platform::FindFiles(directory + "\\qlvimx*.dll"))
      offer(directory + "\\" + name);
  }
  if (win98) offerIfPresent("\\System32\\Drivers\\Qlx1394s.sys");
  if (!nt4 && !nt5)
    offerIfPresent(win95 ? "\\System\\qlimgdv.sys" : "\\System32\\Drivers\\qlimgdv.sys");
  for (const char* twain : kTwainFiles) offerIfPresent(twain);

  m_bChecked = true;
}

bool CSystemFiles::ListContainsPath(const CSelectionList* list, const std::string& path) {
  if (!list) return false;
  for (const auto& entry : *list)
    if (platform::SameTextNoCase(entry->m_strText, path)) return true;
  return false;
}

void CSystemFiles::DropGoneEntries() {
  // A file that went by another hand (an uninstaller) has nothing left to choose.
  CSelectionList& list = *m_pList;
  list.erase(std::remove_if(list.begin(), list.end(),
                            [](const std::unique_ptr<CSelectionEntry>& entry) {
                              return platform::FileGone(entry->m_strText);
                            }),
             list.end());
}

CRemovalReport CSystemFiles::Remove() {
  CRemovalReport report;
  if (!m_pList) return report;
  CSelectionList& list = *m_pList;
  for (auto it = list.begin(); it != list.end();) {
    CSelectionEntry& entry = **it;
    DWORD error = 0;
    if (entry.m_bSelected && platform::DeleteFileOrFindGone(entry.m_strText, &error)) {
      it = list.erase(it);
      ++report.m_nRemoved;
    } else if (entry.m_bSelected) {
      // A file that will not go stays listed.
      ++report.m_nStayed;
      report.m_stayReasons |= FileStayReason(error);
      ++it;
    } else {
      ++it;
    }
  }
  DropGoneEntries();
  report.m_nKept = static_cast<int>(list.size());
  report.m_bEmpty = list.empty();
  if (report.m_bEmpty) m_bFound = false;
  return report;
}
