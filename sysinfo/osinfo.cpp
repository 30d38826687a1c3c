#include "sysinfo/osinfo.h"

#include <windows.h>

#include <cstring>

#include "platform/registry.h"
#include "platform/system.h"

namespace {
// The extended record first, then the basic one. False when neither can be read.
bool ReadVersion(OSVERSIONINFOEXA& info, bool& extended) {
  ZeroMemory(&info, sizeof(info));
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
  extended = true;
  if (platform::System().GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return true;
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  extended = false;
  return platform::System().GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != FALSE;
}

const WORD kSuitePersonal = 0x0200;
const WORD kSuiteDataCenter = 0x0080;
const WORD kSuiteEnterprise = 0x0002;
const WORD kSuiteBlade = 0x0400;
}  // namespace

bool IsWindows2000OrXP() {
  OSVERSIONINFOEXA info;
  bool extended;
  if (!ReadVersion(info, extended)) return false;
  return info.dwMajorVersion == 5 && (info.dwMinorVersion == 0 || info.dwMinorVersion == 1);
}

bool IdentifyWindows(WindowsVersion& version) {
  OSVERSIONINFOEXA info;
  bool extended;
  if (!ReadVersion(info, extended)) return false;
  unsigned flags = 0;
  std::string name;
  auto done = [&] {
    version = WindowsVersion(flags, name);
    return true;
  };

  const DWORD major = info.dwMajorVersion, minor = info.dwMinorVersion;
  const std::string csd(info.szCSDVersion,
                        strnlen(info.szCSDVersion, sizeof(info.szCSDVersion)));
  const char csd1 = csd.size() > 1 ? csd[1] : '\0';

  if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    if (major != 4) return done();
    if (minor == 0) {
      flags |= WindowsVersion::kWin95;
      name = "Windows 95";
      if (csd1 == 'C' || csd1 == 'B') name += " OSR2";
    } else if (minor == 10) {
      flags |= WindowsVersion::kWin98;
      name = "Windows 98";
      if (csd1 == 'A') name += " SE";
    } else if (minor == 90) {
      flags |= WindowsVersion::kWinME;
      name = "Windows ME";
    }
    return done();
  }
  if (info.dwPlatformId != VER_PLATFORM_WIN32_NT) return done();

  if (major <= 4) {
    flags |= WindowsVersion::kNT4;
    name = "Windows NT";
  }
  if (major == 5 && minor == 0) {
    flags |= WindowsVersion::kNT5;
    name = "Windows 2000";
  }
  if (extended) {
    if (info.wProductType == VER_NT_WORKSTATION) {
      flags |= WindowsVersion::kNT5;
      if (major == 5 && minor == 1) name = "Windows XP";
      if (info.wSuiteMask & kSuitePersonal)
        name += " Home Edition";
      else if (major <= 4)
        name += " Workstation";
      else
        name += " Professional";
    } else if (info.wProductType == VER_NT_SERVER) {
      if (major == 5 && minor == 1) {
        flags |= WindowsVersion::kNT5;
        name = "Windows .NET";
      }
      if (info.wSuiteMask & kSuiteDataCenter)
        name += " DataCenter Server";
      else if (info.wSuiteMask & kSuiteEnterprise)
        name += major == 4 ? " Advanced Server" : " Enterprise Server";
      else if (info.wSuiteMask == kSuiteBlade)
        name += " Web Server";
      else
        name += " Server";
    }
  } else {
    platform::RegKey key;
    std::string productType;
    if (key.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions",
                 KEY_QUERY_VALUE))
      productType = key.QueryText("ProductType");
    key.Close();
    if (::lstrcmpiA("WINNT", productType.c_str()) == 0)
      name += major <= 4 ? " Workstation" : " Professional";
    else if (::lstrcmpiA("LANMANNT", productType.c_str()) == 0)
      name += " Server";
    else if (::lstrcmpiA("SERVERNT", productType.c_str()) == 0)
      name += " Advanced Server";
  }

  // The service-pack text holds at most 127 characters, so the line always fits.
  char line[256];
  const int build = static_cast<int>(info.dwBuildNumber & 0xFFFF);
  if (major <= 4)
    wsprintfA(line, " version %d.%d %s (Build %d)\n", static_cast<int>(major),
              static_cast<int>(minor), csd.c_str(), build);
  else
    wsprintfA(line, " %s (Build %d)\n", csd.c_str(), build);
  name += line;
  return done();
}
