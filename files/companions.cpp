// The two companion programs started with Windows: the event manager and the scanner
// detector. They are reached through their windows and their start-up values.
#include "app/cleanerdlg.h"
#include "framework/fileerror.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/window.h"
#include "res/resource.h"

namespace {
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kEventManagerCaption[] = "Quillmar Event Manager 1.0";
const char* const kDetectorCaptions[] = {
    "Quillmar Scanner Detector 1.0", "Quillmar Scanner Detector 1.1",
    "Quillmar Scanner Detector 1.2", "Quillmar Scanner Detector 1.3",
    "Quillmar Scanner Detector 1.4",
};

void DeleteStartupValue(const char* name) {
  platform::RegKey run;
  if (run.OpenDefault(HKEY_LOCAL_MACHINE, kRunKey)) run.DeleteValue(name);
}
}  // namespace

void CCleanerDlg::RemoveEventManager() {
  // The event manager shuts down on these two; it is not asked to close.
  if (HWND window = platform::FindTopLevelWindow(kEventManagerCaption)) {
    platform::SendTo(window, WM_DESTROY);
    platform::SendTo(window, WM_NCDESTROY);
  }
  DeleteStartupValue("evmonitr.exe");
  // Gives the program time to end and let go of its executable.
  platform::System().Sleep(500);

  const std::string program = m_strWinDir + "\\System\\Evmonitr.exe";
  if (platform::FileOpensExclusively(program)) fw::RemoveFile(program);

  DisableItem(IDC_CHK_EVENTMGR);
  m_bEventManagerFound = 0;
}

void CCleanerDlg::RemoveDetector() {
  for (const char* caption : kDetectorCaptions) {
    if (HWND window = platform::FindTopLevelWindow(caption)) {
      platform::SendTo(window, WM_CLOSE);
      break;
    }
  }
  DeleteStartupValue("ScanEye.exe");

  m_bDetectorFound = 0;
  RetireItem(IDC_CHK_DETECTOR);
}
