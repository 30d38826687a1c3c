// Which Windows runs: one value, read once at start-up and handed to whoever needs it,
// asked by name rather than by flag. sysinfo/ owns the identification and the memory
// figures; it includes platform/ only.
#pragma once
#include <string>
#include <utility>

class WindowsVersion {
 public:
  // Not exclusive: an NT 4.0 workstation that gives the extended version record counts
  // as NT 4.0 and as the NT 5 family.
  enum Flag : unsigned { kWin95 = 1u, kWin98 = 2u, kWinME = 4u, kNT4 = 8u, kNT5 = 16u };

  WindowsVersion() = default;
  explicit WindowsVersion(unsigned flags, std::string name = std::string())
      : m_flags(flags), m_strName(std::move(name)) {}

  // The NT form of the registry paths, and SHDeleteKeyA for deleting keys.
  bool IsNT5() const { return (m_flags & kNT5) != 0; }
  bool IsNT4() const { return (m_flags & kNT4) != 0; }
  bool IsWin95() const { return (m_flags & kWin95) != 0; }
  bool IsWin98() const { return (m_flags & kWin98) != 0; }
  bool IsWinME() const { return (m_flags & kWinME) != 0; }
  bool Is9x() const { return (m_flags & (kWin95 | kWin98 | kWinME)) != 0; }
  unsigned Flags() const { return m_flags; }
  // The "System Info" text: name, edition, version, service pack and build.
  const std::string& Name() const { return m_strName; }

 private:
  unsigned m_flags = 0;
  std::string m_strName;
};

// Reads the running Windows by the version record; false, and `version` left alone, when
// no version record can be read.
bool IdentifyWindows(WindowsVersion& version);

// True on Windows 2000 and XP (version 5.0 and 5.1).
bool IsWindows2000OrXP();
