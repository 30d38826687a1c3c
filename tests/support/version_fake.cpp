#include "support/version_fake.h"

#include <cstring>

namespace testing_support {

namespace {
struct Record {
  DWORD platform, major, minor, build;
  const char* csd;
  BYTE productType;
  WORD suiteMask;
};

// What the real systems report (the 9x family has no extended record).
const Record kRecords[] = {
    {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 67109814, "", 0, 0},
    {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 67766446, " A ", 0, 0},
    {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 73010104, " ", 0, 0},
    {VER_PLATFORM_WIN32_NT, 4, 0, 1381, "Service Pack 6a", 1, 0},
    {VER_PLATFORM_WIN32_NT, 5, 0, 2195, "Service Pack 4", 1, 0},
    {VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 3", 1, 0x100},
    {VER_PLATFORM_WIN32_NT, 5, 2, 3790, "Service Pack 2", 3, 0x100},
    {VER_PLATFORM_WIN32_NT, 4, 0, 1381, "Service Pack 5", 0, 0},
};

const Record* g_record = nullptr;

BOOL WINAPI FakeGetVersionEx(LPOSVERSIONINFOA info) {
  const Record& r = *g_record;
  const bool extended = info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA);
  if (extended && (r.platform != VER_PLATFORM_WIN32_NT || r.productType == 0)) return FALSE;
  info->dwMajorVersion = r.major;
  info->dwMinorVersion = r.minor;
  info->dwBuildNumber = r.build;
  info->dwPlatformId = r.platform;
  std::strcpy(info->szCSDVersion, r.csd);
  if (extended) {
    auto* ex = reinterpret_cast<OSVERSIONINFOEXA*>(info);
    ex->wProductType = r.productType;
    ex->wSuiteMask = r.suiteMask;
  }
  return TRUE;
}
}  // namespace

FakeWindowsVersion::FakeWindowsVersion(Windows version) {
  g_record = &kRecords[static_cast<int>(version)];
  platform::System().GetVersionExA = &FakeGetVersionEx;
}

const char* Name(Windows version) {
  static const char* const names[] = {"win95", "win98", "winme", "nt40", "win2k", "winxp", "win2003", "nt40 before SP6"};
  return names[static_cast<int>(version)];
}

}  // namespace testing_support
