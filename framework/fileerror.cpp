#include "framework/fileerror.h"

#include "framework/app.h"
#include "platform/files.h"
#include "res/resource.h"

namespace fw {

CFileException::Cause CFileException::CauseFromOsError(DWORD osError) {
  switch (osError) {
    case ERROR_FILE_NOT_FOUND:
      return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_NAME:
      return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
      return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
      return accessDenied;
    case ERROR_INVALID_HANDLE:
      return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
      return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
      return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
      return badSeek;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
      return hardIO;
    case ERROR_SHARING_VIOLATION:
    case ERROR_SHARING_BUFFER_EXCEEDED:
      return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
      return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return diskFull;
    case ERROR_HANDLE_EOF:
      return endOfFile;
    default:
      return genericException;
  }
}

UINT CFileException::MessageId(Cause cause) {
  switch (cause) {
    case fileNotFound: return IDS_FILE_NOT_FOUND;
    case badPath: return IDS_FILE_BAD_PATH;
    case tooManyOpenFiles: return IDS_FILE_TOO_MANY_OPEN;
    case accessDenied: return IDS_FILE_ACCESS_DENIED;
    case invalidFile: return IDS_FILE_INVALID_FILE;
    case removeCurrentDir: return IDS_FILE_REMOVE_CURRENT;
    case directoryFull: return IDS_FILE_DIR_FULL;
    case badSeek: return IDS_FILE_BAD_SEEK;
    case hardIO: return IDS_FILE_HARD_IO;
    case sharingViolation: return IDS_FILE_SHARING;
    case lockViolation: return IDS_FILE_LOCKING;
    case diskFull: return IDS_FILE_DISK_FULL;
    case endOfFile: return IDS_FILE_EOF;
    default: return IDS_FILE_GENERIC;
  }
}

std::string CFileException::Text() const {
  std::string text = LoadString(MessageId(m_cause));
  const std::string name = LoadString(IDS_UNNAMED_FILE);
  for (std::string::size_type at = text.find("%1"); at != std::string::npos;
       at = text.find("%1", at + name.size()))
    text.replace(at, 2, name);
  return text;
}

void RemoveFile(const std::string& path) {
  DWORD error = 0;
  if (!platform::DeleteFile(path, &error))
    throw CFileException(CFileException::CauseFromOsError(error), error);
}

void ReportFileError(const CFileException& error) {
  AppMessageBox(error.Text(), MB_OK | MB_ICONSTOP);
}

}  // namespace fw
