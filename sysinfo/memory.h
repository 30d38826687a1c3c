// The available physical and page-file memory of the "System Info" box.
#pragma once
#include <windows.h>

#include <string>

// A byte count as the box shows it: in MB from 2 MB up, in KB from 2 KB up, and nothing
// below. `m_dwShown` is the figure in the unit shown, the byte count when nothing is.
struct MemoryFigure {
  std::string m_strText;
  DWORD m_dwShown;
};
MemoryFigure FigureOf(DWORD bytes);

// The available physical and page-file memory, in bytes, as GlobalMemoryStatus reports them.
void ReadAvailableMemory(DWORD& physical, DWORD& pageFile);
