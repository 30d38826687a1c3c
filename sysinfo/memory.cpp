#include "sysinfo/memory.h"

#include "platform/system.h"

MemoryFigure FigureOf(DWORD bytes) {
  char text[32] = "";
  DWORD shown = bytes;
  if ((bytes & ~0xFFFFFUL) > 0x100000UL) {
    shown = bytes / 0x100000UL;
    wsprintfA(text, "%d MB", static_cast<int>(shown));
  } else if ((bytes & ~0x3FFUL) > 0x400UL) {
    shown = bytes / 0x400UL;
    wsprintfA(text, "%d KB", static_cast<int>(shown));
  }
  return {text, shown};
}

void ReadAvailableMemory(DWORD& physical, DWORD& pageFile) {
  MEMORYSTATUS status = {};
  status.dwLength = sizeof(status);
  platform::System().GlobalMemoryStatus(&status);
  physical = static_cast<DWORD>(status.dwAvailPhys);
  pageFile = static_cast<DWORD>(status.dwAvailPageFile);
}
