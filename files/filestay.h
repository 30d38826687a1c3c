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
