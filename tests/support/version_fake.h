// Makes GetVersionExA report one of the emulated Windows versions, for as long as the
// object lives.
#pragma once
#include "platform/system.h"

namespace testing_support {

// Nt40Basic is NT 4.0 before Service Pack 6, which has only the basic version record.
enum class Windows { Win95, Win98, WinMe, Nt40, Win2000, WinXp, Win2003, Nt40Basic };

class FakeWindowsVersion {
 public:
  explicit FakeWindowsVersion(Windows version);

 private:
  platform::ScopedSystem m_restore;
};

const char* Name(Windows version);

}  // namespace testing_support
