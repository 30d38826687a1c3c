#include "platform/output.h"

namespace platform {

namespace {
// Declared for Windows XP and later only.
const DWORD kAttachParentProcess = static_cast<DWORD>(-1);
}  // namespace

bool OutputStream::ToFile(const std::string& path, DWORD* error) {
  m_handle = nullptr;
  *m_owned.Receive() = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!m_owned.Valid()) {
    if (error) *error = ::GetLastError();
    m_owned.Reset();
    return false;
  }
  m_handle = m_owned.Get();
  return true;
}

bool OutputStream::ToStandardOutput() {
  const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  // A GUI program may be handed the handle values of a console it is not attached to.
  if (!output || output == INVALID_HANDLE_VALUE || ::GetFileType(output) == FILE_TYPE_UNKNOWN)
    return false;
  m_owned.Reset();
  m_handle = output;
  return true;
}

bool OutputStream::ToParentConsole() {
  using AttachConsoleCall = BOOL(WINAPI*)(DWORD);
  // kernel32 is loaded in every process; through void* as GCC warns about a cast between
  // unrelated function types.
  const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  const auto attach = kernel ? reinterpret_cast<AttachConsoleCall>(reinterpret_cast<void*>(
                                   ::GetProcAddress(kernel, "AttachConsole")))
                             : nullptr;
  if (!attach || !attach(kAttachParentProcess)) return false;
  *m_owned.Receive() = ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                     0, nullptr);
  if (!m_owned.Valid()) {
    m_owned.Reset();
    return false;
  }
  m_handle = m_owned.Get();
  return true;
}

bool OutputStream::Write(const std::string& text) {
  if (!m_handle) return false;
  for (size_t done = 0; done < text.size();) {
    DWORD written = 0;
    if (!::WriteFile(m_handle, text.data() + done, static_cast<DWORD>(text.size() - done),
                     &written, nullptr) ||
        written == 0)
      return false;
    done += written;
  }
  return true;
}

}  // namespace platform
