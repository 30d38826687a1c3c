// The scanner's system files: the maker's libraries and drivers and the TWAIN files in the
// Windows directory tree. files/ owns the system files, the INF files with their settings
// file, the OEM INF packages and the companion programs; it includes platform/, framework/
// (the file error), devices/records.h and sysinfo/, and never touches a window of the
// main dialog.
#pragma once
#include <string>
#include <utility>

#include "devices/records.h"
#include "sysinfo/osinfo.h"

class CSystemFiles : public CListedItem {
 public:
  CSystemFiles() = default;
  CSystemFiles(std::string winDir, WindowsVersion windows)
      : m_strWinDir(std::move(winDir)), m_windows(std::move(windows)) {}

  // Drops the entries whose file is gone and adds the files that are there and not yet
  // listed, each selected; the rest of the list is kept. Records the box as checked.
  void Build() override;
  // Deletes the selected files and drops the entries whose file is gone; a selected file that
  // will not go stays listed and counts as stayed. Once the list is empty the item counts
  // as no longer found.
  CRemovalReport Remove() override;

  // True when `list` has an entry for `path`, compared without regard to case.
  static bool ListContainsPath(const CSelectionList* list, const std::string& path);

 private:
  void DropGoneEntries();

  std::string m_strWinDir;
  WindowsVersion m_windows;
};
