// Why a file that the user chose is still there, read from the error of the open or the
// delete that failed.
#pragma once
#include <windows.h>

#include "devices/records.h"

// A file in use, locked or read-only refuses itself; anything else is a refusal by Windows.
inline unsigned FileStayReason(DWORD error) {
  const bool locked = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                      error == ERROR_LOCK_VIOLATION;
  return locked ? kStayFileLocked : kStayRefused;
}

// What a removal does with a file that opens but will not go: throw the framework's file
// error, which ends the main dialog's cleaning run in a message box, or count the file as
// stayed, with its reason, and go on.
enum class FileErrors { Throw, Report };
