// The two companion programs started with Windows: the event manager and the scanner
// detector. They are reached through their windows and their start-up values.
#pragma once
#include <string>
#include <utility>

#include "devices/records.h"
#include "files/filestay.h"

class CCompanions {
 public:
  CCompanions() = default;
  explicit CCompanions(std::string winDir) : m_strWinDir(std::move(winDir)) {}

  // The event manager counts as present while its executable is there (and not held
  // open) or its window is.
  bool FindEventManager() const;
  // The detector counts as present while one of its versions has a window.
  bool FindDetector() const;

  // Ends the event manager, removes its start-up value and deletes its executable; throws
  // the framework's file error when the executable opens but will not go (with
  // FileErrors::Report counts it as stayed instead). The report says
  // whether the executable stayed, held open by a program that did not end, and why.
  CRemovalReport RemoveEventManager();
  // Closes the first detector window found and removes its start-up value.
  void RemoveDetector();
  void SetFileErrors(FileErrors how) { m_fileErrors = how; }

  // What the removals delete, for a report: the event manager's executable, and the key
  // below HKEY_LOCAL_MACHINE of the start-up values with the name of each program's value.
  std::string EventManagerPath() const;
  static const char* RunKey();
  static const char* StartupValue(bool detector);

 private:
  std::string m_strWinDir;
  FileErrors m_fileErrors = FileErrors::Throw;
};
