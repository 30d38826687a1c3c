#include "app/restart.h"

#include <windows.h>

#include "platform/system.h"

bool RequestRestart(bool privilege, const std::function<void(const char* call)>& failed) {
  platform::SystemCalls& system = platform::System();
  if (privilege) {
    platform::OwnedHandle token;
    if (!system.OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                                 token.Receive())) {
      token.Reset();
      failed("OpenProcessToken");
    }
    TOKEN_PRIVILEGES privileges = {};
    system.LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // It succeeds also when the privilege was not granted: only the last error tells.
    ::SetLastError(0);
    system.AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    if (::GetLastError() != ERROR_SUCCESS) failed("AdjustTokenPrivileges");
  }
  if (system.ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0)) return true;
  failed("ExitWindowsEx");
  return false;
}
