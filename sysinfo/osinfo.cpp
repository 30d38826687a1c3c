#include <cstdio>

#include "app/cleanerdlg.h"
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

int CCleanerDlg::IdentifyOS() {
  OSVERSIONINFOEXA info;
  bool extended;
  if (!ReadVersion(info, extended)) return 0;

  const DWORD major = info.dwMajorVersion, minor = info.dwMinorVersion;
  const std::string csd(info.szCSDVersion,
                        strnlen(info.szCSDVersion, sizeof(info.szCSDVersion)));
  const char csd1 = csd.size() > 1 ? csd[1] : '\0';

  if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    if (major != 4) return 1;
    if (minor == 0) {
      m_bWin95 = 1;
      m_strOSName = "Windows 95";
      if (csd1 == 'C' || csd1 == 'B') m_strOSName += " OSR2";
    } else if (minor == 10) {
      m_bWin98 = 1;
      m_strOSName = "Windows 98";
      if (csd1 == 'A') m_strOSName += " SE";
    } else if (minor == 90) {
      m_bWinME = 1;
      m_strOSName = "Windows ME";
    }
    return 1;
  }
  if (info.dwPlatformId != VER_PLATFORM_WIN32_NT) return 1;

  if (major <= 4) {
    m_bNT4 = 1;
    m_strOSName = "Windows NT";
  }
  if (major == 5 && minor == 0) {
    m_bNT5 = 1;
    m_strOSName = "Windows 2000";
  }
  if (extended) {
    if (info.wProductType == VER_NT_WORKSTATION) {
      m_bNT5 = 1;
      if (major == 5 && minor == 1) m_strOSName = "Windows XP";
      if (info.wSuiteMask & kSuitePersonal)
        m_strOSName += " Home Edition";
      else if (major <= 4)
        m_strOSName += " Workstation";
      else
        m_strOSName += " Professional";
    } else if (info.wProductType == VER_NT_SERVER) {
      if (major == 5 && minor == 1) {
        m_bNT5 = 1;
        m_strOSName = "Windows .NET";
      }
      if (info.wSuiteMask & kSuiteDataCenter)
        m_strOSName += " DataCenter Server";
      else if (info.wSuiteMask & kSuiteEnterprise)
        m_strOSName += major == 4 ? " Advanced Server" : " Enterprise Server";
      else if (info.wSuiteMask == kSuiteBlade)
        m_strOSName += " Web Server";
      else
        m_strOSName += " Server";
    }
  } else {
    platform::RegKey key;
    std::string productType;
    if (key.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions",
                 KEY_QUERY_VALUE))
      productType = key.QueryText("ProductType");
    key.Close();
    if (::lstrcmpiA("WINNT", productType.c_str()) == 0)
      m_strOSName += major <= 4 ? " Workstation" : " Professional";
    else if (::lstrcmpiA("LANMANNT", productType.c_str()) == 0)
      m_strOSName += " Server";
    else if (::lstrcmpiA("SERVERNT", productType.c_str()) == 0)
      m_strOSName += " Advanced Server";
  }

  // The service-pack text holds at most 127 characters, so the line always fits.
  char line[256];
  const int build = static_cast<int>(info.dwBuildNumber & 0xFFFF);
  if (major <= 4)
    wsprintfA(line, " version %d.%d %s (Build %d)\n", static_cast<int>(major),
              static_cast<int>(minor), csd.c_str(), build);
  else
    wsprintfA(line, " %s (Build %d)\n", csd.c_str(), build);
  m_strOSName += line;
  return 1;
}
