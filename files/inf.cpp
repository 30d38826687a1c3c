#include "files/inf.h"

#include <windows.h>

#include <set>

#include "files/filestay.h"
#include "files/oeminf.h"
#include "framework/fileerror.h"
#include "platform/files.h"
#include "platform/text.h"

namespace {
const char kSection[] = "INF";
// The maker's INF files that no settings file lists.
const char kOtherFolder[] = "\\INF\\Other";
const char kOtherPattern[] = "Quillmar*.inf";

// A settings value names one file directly in the INF folder. A separator, a drive or a
// parent step would let the file point anywhere on the disk, so such a value names nothing.
// Walked by character: a double-byte character's trail byte may look like a backslash.
bool NamesFileInInfFolder(const std::string& value) {
  if (value.empty()) return false;
  for (size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\' || c == '/' || c == ':') return false;
    if (c == '.' && i + 1 < value.size() && value[i + 1] == '.') return false;
    if (::IsDBCSLeadByte(static_cast<BYTE>(c))) ++i;
  }
  return true;
}

// The mark of the first entry of `list` for the file `path`; true for a file not listed before.
bool SelectedForPath(const CSelectionList* list, const std::string& path) {
  if (list)
    for (const auto& entry : *list)
      if (platform::SameTextNoCase(entry->m_strText, path)) return entry->m_bSelected;
  return true;
}
}  // namespace

void CInfFiles::Build() {
  // Only the low 16 bits count: 65537 means 1.
  const UINT count = platform::ProfileInt(kSection, "Total", 0, m_strIniPath) & 0xFFFF;

  // The old list only lends its marks, file by file: a number is only a display position.
  const CSelectionListPtr previous = std::move(m_pList);
  m_pList.reset(new CSelectionList);

  // "Total" may say 65535 where the file holds a handful of keys: read only the keys that
  // the section has, when their names can be known.
  std::set<std::string> keys;
  const bool knowKeys = platform::ProfileKeyNames(kSection, m_strIniPath, keys);

  int number = 0;
  for (UINT i = 1; i <= count; ++i) {
    const std::string key = std::to_string(i);
    if (knowKeys && keys.count(key) == 0) continue;
    const std::string name = platform::ProfileString(kSection, key.c_str(), "", m_strIniPath);
    if (!NamesFileInInfFolder(name)) continue;
    const std::string path = m_strWinDir + "\\INF\\" + name;
    if (!platform::FileOpensExclusively(path)) continue;
    m_pList->emplace_back(
        new CSelectionEntry{path, number, SelectedForPath(previous.get(), path)});
    ++number;
  }
  m_bChecked = true;
}

// Throws the file error when the file will not go, unless the caller chose a report: the
// run then ends there and the entry stays listed.
bool CInfFiles::Delete(const std::string& path, DWORD* error) const {
  if (m_fileErrors == FileErrors::Report) return platform::DeleteFileOrFindGone(path, error);
  fw::RemoveFile(path);
  return true;
}

CRemovalReport CInfFiles::Remove() {
  CRemovalReport report;
  if (m_pList) {
    CSelectionList& list = *m_pList;
    int number = 0;
    for (auto it = list.begin(); it != list.end();) {
      CSelectionEntry& entry = **it;
      DWORD error = 0;
      const bool opens = platform::FileOpensExclusively(entry.m_strText, &error);
      if (entry.m_bSelected && opens && Delete(entry.m_strText, &error)) {
        it = list.erase(it);
        ++report.m_nRemoved;
      } else if (!opens && platform::FileGone(entry.m_strText)) {
        it = list.erase(it);
      } else {
        if (entry.m_bSelected) {
          ++report.m_nStayed;
          report.m_stayReasons |= FileStayReason(error);
        }
        entry.m_nIndex = number++;
        ++it;
      }
    }
  }
  unsigned reasons = 0;
  int leftOver = m_windows.IsNT5() ? RemoveOemInfs(&reasons) : 0;
  leftOver += DeleteFilesByPattern(m_strWinDir + kOtherFolder, kOtherPattern, &reasons);

  // The unlisted files and packages have no entries: the checked box chose them all.
  report.m_nStayed += leftOver;
  report.m_stayReasons |= reasons;
  report.m_nKept = (m_pList ? static_cast<int>(m_pList->size()) : 0) + leftOver;
  report.m_bEmpty = report.m_nKept == 0;
  if (report.m_bEmpty) m_bFound = false;
  return report;
}

bool CInfFiles::FindUnlisted() const {
  if (!platform::FindFiles(m_strWinDir + kOtherFolder + "\\" + kOtherPattern).empty()) return true;
  return m_windows.IsNT5() && !FindOemInfs().empty();
}

std::vector<std::string> CInfFiles::UnlistedFiles() const {
  std::vector<std::string> paths;
  const std::string other = m_strWinDir + kOtherFolder;
  for (const std::string& name : platform::FindFiles(other + "\\" + kOtherPattern))
    paths.push_back(other + "\\" + name);
  if (m_windows.IsNT5())
    for (const std::string& path : OemInfFiles()) paths.push_back(path);
  return paths;
}

int CInfFiles::DeleteFilesByPattern(const std::string& directory, const std::string& pattern,
                                    unsigned* reasons) {
  int left = 0;
  for (const std::string& name : platform::FindFiles(directory + "\\" + pattern)) {
    DWORD error = 0;
    if (platform::DeleteFileOrFindGone(directory + "\\" + name, &error)) continue;
    ++left;
    if (reasons) *reasons |= FileStayReason(error);
  }
  return left;
}
