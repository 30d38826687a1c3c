// Every function that DrvPurge.exe may import, with the oldest Windows of each family that
// exports it and where that fact comes from. Windows refuses to start a program that
// imports a function its DLLs do not export; Wine exports them all, whatever version it
// emulates, so this table is what keeps the program loadable on Windows 95 to XP.
#pragma once

namespace release_tests {

// The oldest Windows 95-family system whose DLL exports the function.
enum class Since9x { Win95, Win95WithIE4, Win98, WinMe, Never };
// The oldest NT-family system whose DLL exports the function.
enum class SinceNT { NT31, NT35, NT40, NT40WithIE4, Win2000, WinXP, Later };

// How Windows 95, 98 and ME export the function: for real, or only as a stub that fails
// (ERROR_CALL_NOT_IMPLEMENTED), with the reason why the program does not depend on it there.
struct On9x {
  bool stub;
  const char* harmless;  // for a stub: why its failure does no harm
};

struct WindowsImport {
  const char* dll;
  const char* function;
  Since9x since9x;
  SinceNT sinceNT;
  const char* source;  // where the facts come from
  On9x on9x;
};

extern const WindowsImport kWindowsImports[];
extern const int kWindowsImportCount;

// The oldest systems the program is for: Windows 95 and NT 4.0, each with Internet
// Explorer 4.0, whose SHLWAPI.DLL the program needs there.
const Since9x kOldest9x = Since9x::Win95WithIE4;
const SinceNT kOldestNT = SinceNT::NT40WithIE4;

}  // namespace release_tests
