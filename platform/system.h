// The system calls that a test machine cannot make for real: the version record, the
// memory status, shutdown and its privilege, the token's groups, sleeping, starting
// programs, the Windows 9x behaviour of RegDeleteKeyA, and a key tree that Windows refuses to delete (Wine deletes
// a key whatever its access list says). Everything goes through System(), whose
// entries tests may point elsewhere for the length of one test.
#pragma once
#include <windows.h>

namespace platform {

struct SystemCalls {
  BOOL(WINAPI* GetVersionExA)(LPOSVERSIONINFOA info);
  VOID(WINAPI* GlobalMemoryStatus)(LPMEMORYSTATUS status);
  BOOL(WINAPI* ExitWindowsEx)(UINT flags, DWORD reason);
  BOOL(WINAPI* OpenProcessToken)(HANDLE process, DWORD access, PHANDLE token);
  BOOL(WINAPI* LookupPrivilegeValueA)(LPCSTR system, LPCSTR name, PLUID luid);
  BOOL(WINAPI* AdjustTokenPrivileges)(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                      DWORD length, PTOKEN_PRIVILEGES previous, PDWORD returned);
  // Taken from advapi32 by name, null where it lacks them: CheckTokenMembership comes with
  // Windows 2000; on Windows 9x neither works.
  BOOL(WINAPI* CheckTokenMembership)(HANDLE token, PSID sid, PBOOL member);
  BOOL(WINAPI* GetTokenInformation)(HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID buffer,
                                    DWORD length, PDWORD returned);
  VOID(WINAPI* Sleep)(DWORD milliseconds);
  UINT(WINAPI* WinExec)(LPCSTR commandLine, UINT show);
  LONG(WINAPI* RegDeleteKeyA)(HKEY root, LPCSTR subKey);
  LONG(WINAPI* SHDeleteKeyA)(HKEY root, LPCSTR subKey);
};

SystemCalls& System();

// Owns one kernel handle (a process token, a file) and closes it once; cannot be copied.
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle) : m_handle(handle) {}
  ~OwnedHandle() { Reset(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  // Null, or INVALID_HANDLE_VALUE as CreateFileA fails with, owns nothing.
  bool Valid() const { return m_handle && m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }
  // Closes what it holds and gives the place for a call to store a new handle in.
  HANDLE* Receive();
  void Reset();

 private:
  HANDLE m_handle = nullptr;
};

// The real calls, for a test that wants to restore or wrap one entry.
const SystemCalls& RealSystem();

// Restores every entry of System() to the real call when it goes out of scope.
class ScopedSystem {
 public:
  ScopedSystem() : m_saved(System()) {}
  ~ScopedSystem() { System() = m_saved; }
  ScopedSystem(const ScopedSystem&) = delete;
  ScopedSystem& operator=(const ScopedSystem&) = delete;

 private:
  SystemCalls m_saved;
};

}  // namespace platform
