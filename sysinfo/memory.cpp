#include "app/cleanerdlg.h"
#include "platform/system.h"
#include "res/resource.h"

namespace {
// Shows `bytes` in MB from 2 MB up, in KB from 2 KB up, and nothing below; returns the
// figure in the unit shown (the byte count when nothing is shown).
DWORD ShowFigure(HWND dialog, int id, DWORD bytes) {
  char text[32] = "";
  DWORD shown = bytes;
  if ((bytes & ~0xFFFFFUL) > 0x100000UL) {
    shown = bytes / 0x100000UL;
    wsprintfA(text, "%d MB", static_cast<int>(shown));
  } else if ((bytes & ~0x3FFUL) > 0x400UL) {
    shown = bytes / 0x400UL;
    wsprintfA(text, "%d KB", static_cast<int>(shown));
  }
  ::SetDlgItemTextA(dialog, id, text);
  return shown;
}
}  // namespace

void CCleanerDlg::UpdateMemoryInfo() {
  MEMORYSTATUS status = {};
  status.dwLength = sizeof(status);
  platform::System().GlobalMemoryStatus(&status);
  m_dwAvailPhys = ShowFigure(m_hWnd, IDC_PHYSMEM, static_cast<DWORD>(status.dwAvailPhys));
  m_dwAvailPageFile =
      ShowFigure(m_hWnd, IDC_VIRTMEM, static_cast<DWORD>(status.dwAvailPageFile));
}
