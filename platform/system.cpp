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

// advapi32 is loaded already: the program imports its registry calls.
template <class Function>
Function FromAdvapi(const char* name) {
  HMODULE advapi = ::GetModuleHandleA("advapi32.dll");
  // Through void*: GCC warns about a cast between unrelated function types.
  return advapi ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(advapi, name)))
                : nullptr;
}

SystemCalls MakeReal() {
  SystemCalls calls;
  calls.GetVersionExA = &RealGetVersionEx;
  calls.GlobalMemoryStatus = &::GlobalMemoryStatus;
  calls.ExitWindowsEx = &::ExitWindowsEx;
  calls.OpenProcessToken = &::OpenProcessToken;
  calls.LookupPrivilegeValueA = &::LookupPrivilegeValueA;
  calls.AdjustTokenPrivileges = &::AdjustTokenPrivileges;
  calls.CheckTokenMembership =
      FromAdvapi<decltype(calls.CheckTokenMembership)>("CheckTokenMembership");
  calls.GetTokenInformation = FromAdvapi<decltype(calls.GetTokenInformation)>("GetTokenInformation");
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
