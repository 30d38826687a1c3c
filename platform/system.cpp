#include "platform/system.h"

#include <shlwapi.h>

namespace platform {

namespace {
// GetVersionExA is declared deprecated in newer SDKs; the program needs the real record.
BOOL WINAPI RealGetVersionEx(LPOSVERSIONINFOA info) { return ::GetVersionExA(info); }
// Declared as giving a DWORD by some SDKs and a LONG by others.
LONG WINAPI RealSHDeleteKey(HKEY root, LPCSTR subKey) {
  return static_cast<LONG>(::SHDeleteKeyA(root, subKey));
}

SystemCalls MakeReal() {
  SystemCalls calls;
  calls.GetVersionExA = &RealGetVersionEx;
  calls.GlobalMemoryStatus = &::GlobalMemoryStatus;
  calls.ExitWindowsEx = &::ExitWindowsEx;
  calls.OpenProcessToken = &::OpenProcessToken;
  calls.LookupPrivilegeValueA = &::LookupPrivilegeValueA;
  calls.AdjustTokenPrivileges = &::AdjustTokenPrivileges;
  calls.Sleep = &::Sleep;
  calls.WinExec = &::WinExec;
  calls.RegDeleteKeyA = &::RegDeleteKeyA;
  calls.SHDeleteKeyA = &RealSHDeleteKey;
  return calls;
}
}  // namespace

const SystemCalls& RealSystem() {
  static const SystemCalls real = MakeReal();
  return real;
}

SystemCalls& System() {
  static SystemCalls current = RealSystem();
  return current;
}

HANDLE* OwnedHandle::Receive() {
  Reset();
  return &m_handle;
}

void OwnedHandle::Reset() {
  if (Valid()) ::CloseHandle(m_handle);
  m_handle = nullptr;
}

}  // namespace platform
