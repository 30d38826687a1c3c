// Text that the program writes out: into a file it creates, to the standard output it was
// given, or to the console of the program that started it. Bytes go out as they are.
#pragma once
#include <windows.h>

#include <string>

#include "platform/system.h"

namespace platform {

class OutputStream {
 public:
  // Creates or replaces the file at `path`, shared with no one while it is open; false, and
  // `error` receives why, when it cannot be written.
  bool ToFile(const std::string& path, DWORD* error = nullptr);
  // The standard output the program was given: a pipe, a file or a console. A GUI program
  // started from a prompt without a redirection has none: false.
  bool ToStandardOutput();
  // The console of the program that started this one, through AttachConsole where kernel32
  // exports it (Windows XP and later); false elsewhere, or when that program has none.
  bool ToParentConsole();

  bool IsOpen() const { return m_handle != nullptr; }
  // Writes the whole of `text`; false when it could not.
  bool Write(const std::string& text);

 private:
  OwnedHandle m_owned;
  HANDLE m_handle = nullptr;
};

}  // namespace platform
