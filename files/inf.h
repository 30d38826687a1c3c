// The scanner's INF files: named by the settings file DrvPurge.ini beside the program,
// plus the maker's files in INF\Other and, on Windows 2000 and later, its OEM packages.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "devices/records.h"
#include "files/filestay.h"
#include "sysinfo/osinfo.h"

class CInfFiles : public CListedItem {
 public:
  CInfFiles() = default;
  CInfFiles(std::string winDir, std::string iniPath, WindowsVersion windows)
      : m_strWinDir(std::move(winDir)), m_strIniPath(std::move(iniPath)),
        m_windows(std::move(windows)) {}

  // Replaces the list by the listed files that are there, each carrying the mark of the old
  // entry of the same file, and records the box as checked.
  void Build() override;
  // Deletes the selected listed files, the OEM packages (NT 5) and the INF\Other files, and
  // drops the entries whose file is gone. Throws the framework's file error when a listed
  // file that opens will not go (or, with FileErrors::Report, counts it as stayed and goes
  // on): the run ends there and the entry stays listed. A selected
  // file held open, and an unlisted file or package that will not go, count as kept and as
  // stayed: once neither entries nor such leftovers remain, the item counts as no longer found.
  CRemovalReport Remove() override;
  // True when there are files to remove that no settings file lists.
  bool FindUnlisted() const;
  // The full paths of those files: the maker's files in INF\Other and, on Windows 2000 and
  // later, each file of its OEM packages, as Remove deletes them.
  std::vector<std::string> UnlistedFiles() const;
  void SetFileErrors(FileErrors how) { m_fileErrors = how; }

  const std::string& IniPath() const { return m_strIniPath; }

  // Deletes the files of `directory` that match `pattern`; returns how many would not go,
  // `reasons` receiving their StayReason bits. A read-only file is left as it is, as a
  // listed one is.
  static int DeleteFilesByPattern(const std::string& directory, const std::string& pattern,
                                  unsigned* reasons = nullptr);

 private:
  bool Delete(const std::string& path, DWORD* error) const;

  std::string m_strWinDir;
  std::string m_strIniPath;
  WindowsVersion m_windows;
  FileErrors m_fileErrors = FileErrors::Throw;
};
