// The file error: a failed file removal throws it, and the dialog dispatch shows it as a
// stop-icon message box; the command being handled ends there.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

class CFileException {
 public:
  enum Cause {
    none = 0,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile,
  };

  CFileException(Cause cause, DWORD osError) : m_cause(cause), m_lOsError(osError) {}

  // The cause that a system error code stands for.
  static Cause CauseFromOsError(DWORD osError);
  // The string resource that describes `cause`.
  static UINT MessageId(Cause cause);
  // The cause's text with %1 read as "an unnamed file".
  std::string Text() const;

  Cause m_cause;
  DWORD m_lOsError;
};

// Deletes the file at `path`; throws CFileException when the deletion fails.
void RemoveFile(const std::string& path);

// Shows the error's text in the application's message box with the stop icon.
void ReportFileError(const CFileException& error);

}  // namespace fw
