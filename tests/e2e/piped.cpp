// A program started with a pipe for its standard output, as a script captures it.
#include "e2e/driver.h"

namespace e2e {

bool Program::LaunchPiped(const std::string& version, const std::string& arguments) {
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (m_output || !::CreatePipe(&read, &write, &inherit, 0)) return false;
  // Only the program's end is handed down: with both, the pipe would never report its end.
  ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  const bool started = Start(version, arguments, write);
  ::CloseHandle(write);
  if (!started) {
    ::CloseHandle(read);
    return false;
  }
  m_output = read;
  return true;
}

// Never blocks: Wine's own processes may hold the program's end of the pipe open after it
// ended, so the end of the data is told by the program's end, not the pipe's.
std::string Program::ReadOutput() {
  std::string text;
  DWORD available = 0;
  while (m_output && ::PeekNamedPipe(m_output, nullptr, 0, nullptr, &available, nullptr) &&
         available > 0) {
    std::string chunk(available, '\0');
    DWORD read = 0;
    if (!::ReadFile(m_output, &chunk[0], available, &read, nullptr) || read == 0) break;
    text.append(chunk, 0, read);
  }
  return text;
}

}  // namespace e2e
