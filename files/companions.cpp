#include "files/companions.h"

#include <windows.h>

#include "files/filestay.h"
#include "framework/fileerror.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/window.h"

namespace {
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kEventManagerCaption[] = "Quillmar Event Manager 1.0";
const char kEventManagerProgram[] = "\\System\\Evmonitr.exe";
// Searched in this order; the first window found is the one closed.
const char* const kDetectorCaptions[] = {
    "Quillmar Scanner Detector 1.0", "Quillmar Scanner Detector 1.1",
    "Quillmar Scanner Detector 1.2", "Quillmar Scanner Detector 1.3",
    "Quillmar Scanner Detector 1.4",
};

void DeleteStartupValue(const char* name) {
  platform::RegKey run;
  if (run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_SET_VALUE)) run.DeleteValue(name);
}

HWND FindDetectorWindow() {
  for (const char* caption : kDetectorCaptions)
    if (HWND window = platform::FindTopLevelWindow(caption)) return window;
  return nullptr;
}
}  // namespace

std::string CCompanions::EventManagerPath() const { return m_strWinDir + kEventManagerProgram; }

const char* CCompanions::RunKey() { return kRunKey; }

const char* CCompanions::StartupValue(bool detector) {
  return detector ? "ScanEye.exe" : "evmonitr.exe";
}

bool CCompanions::FindEventManager() const {
  const bool window = platform::FindTopLevelWindow(kEventManagerCaption) != nullptr;
  return platform::FileOpensExclusively(EventManagerPath()) || window;
}

bool CCompanions::FindDetector() const { return FindDetectorWindow() != nullptr; }

CRemovalReport CCompanions::RemoveEventManager() {
  // The event manager shuts down on these two; it is not asked to close.
  if (HWND window = platform::FindTopLevelWindow(kEventManagerCaption)) {
    platform::SendTo(window, WM_DESTROY);
    platform::SendTo(window, WM_NCDESTROY);
  }
  DeleteStartupValue(StartupValue(false));
  // Gives the program time to end and let go of its executable.
  platform::System().Sleep(500);

  CRemovalReport report;
  const std::string program = EventManagerPath();
  DWORD error = 0;
  bool deleted = false;
  if (platform::FileOpensExclusively(program, &error)) {
    if (m_fileErrors == FileErrors::Throw)
      fw::RemoveFile(program);
    deleted = m_fileErrors == FileErrors::Throw || platform::DeleteFileOrFindGone(program, &error);
  }
  if (deleted) {
    report.m_nRemoved = 1;
  } else if (!platform::FileGone(program)) {
    report.m_nKept = report.m_nStayed = 1;
    report.m_stayReasons = FileStayReason(error);
  }
  report.m_bEmpty = report.m_nKept == 0;
  return report;
}

void CCompanions::RemoveDetector() {
  if (HWND window = FindDetectorWindow()) platform::SendTo(window, WM_CLOSE);
  DeleteStartupValue(StartupValue(true));
}
