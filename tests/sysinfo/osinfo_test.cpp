#include <gtest/gtest.h>

#include <cstring>

#include "sysinfo/osinfo.h"
#include "platform/system.h"
#include "support/registry_fixture.h"

namespace {

struct FakeVersion {
  DWORD platform, major, minor, build;
  const char* csd;
  bool extended;  // the extended record can be read
  BYTE productType;
  WORD suiteMask;
};

FakeVersion g_version;
bool g_noVersion = false;

BOOL WINAPI FakeGetVersionEx(LPOSVERSIONINFOA info) {
  if (g_noVersion) return FALSE;
  if (info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA) && !g_version.extended) return FALSE;
  info->dwMajorVersion = g_version.major;
  info->dwMinorVersion = g_version.minor;
  info->dwBuildNumber = g_version.build;
  info->dwPlatformId = g_version.platform;
  std::strncpy(info->szCSDVersion, g_version.csd, sizeof(info->szCSDVersion) - 1);
  if (info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA)) {
    auto* ex = reinterpret_cast<OSVERSIONINFOEXA*>(info);
    ex->wProductType = g_version.productType;
    ex->wSuiteMask = g_version.suiteMask;
  }
  return TRUE;
}

struct Flags {
  int nt5, nt4, win95, win98, winme;
};

struct Row {
  FakeVersion version;
  const char* productOptions;  // the ProductType value when only the basic record exists
  Flags flags;
  const char* text;
};

class IdentifyOSTest : public ::testing::TestWithParam<Row> {
 protected:
  void SetUp() override {
    platform::System().GetVersionExA = &FakeGetVersionEx;
    g_noVersion = false;
  }
  platform::ScopedSystem m_restore;
  testing_support::ScopedRegistry m_registry{{"SYSTEM\\CurrentControlSet\\Control\\ProductOptions"}};
};

TEST_P(IdentifyOSTest, SetsFlagsAndTextByTheDecisionTable) {
  const Row& row = GetParam();
  g_version = row.version;
  if (row.productOptions)
    testing_support::SetString(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions",
                               "ProductType", row.productOptions);
  WindowsVersion windows;
  EXPECT_TRUE(IdentifyWindows(windows));
  EXPECT_EQ(row.flags.nt5 != 0, windows.IsNT5());
  EXPECT_EQ(row.flags.nt4 != 0, windows.IsNT4());
  EXPECT_EQ(row.flags.win95 != 0, windows.IsWin95());
  EXPECT_EQ(row.flags.win98 != 0, windows.IsWin98());
  EXPECT_EQ(row.flags.winme != 0, windows.IsWinME());
  EXPECT_EQ(row.text, windows.Name());
}

const int W = 1, N = 2;
INSTANTIATE_TEST_SUITE_P(
    Rows, IdentifyOSTest,
    ::testing::Values(
        Row{{W, 4, 0, 67109814, "", true, 0, 0}, nullptr, {0, 0, 1, 0, 0}, "Windows 95"},
        Row{{W, 4, 0, 67109814, " C", false, 0, 0}, nullptr, {0, 0, 1, 0, 0}, "Windows 95 OSR2"},
        Row{{W, 4, 0, 67109814, " B", true, 0, 0}, nullptr, {0, 0, 1, 0, 0}, "Windows 95 OSR2"},
        Row{{W, 4, 10, 67766446, " A ", true, 0, 0}, nullptr, {0, 0, 0, 1, 0}, "Windows 98 SE"},
        Row{{W, 4, 10, 67766222, "", true, 0, 0}, nullptr, {0, 0, 0, 1, 0}, "Windows 98"},
        Row{{W, 4, 90, 73010104, " ", true, 0, 0}, nullptr, {0, 0, 0, 0, 1}, "Windows ME"},
        Row{{W, 4, 3, 1, "", true, 0, 0}, nullptr, {0, 0, 0, 0, 0}, ""},
        Row{{W, 5, 0, 1, "", true, 0, 0}, nullptr, {0, 0, 0, 0, 0}, ""},
        Row{{N, 4, 0, 1381, "Service Pack 6", true, 1, 0}, nullptr, {1, 1, 0, 0, 0},
            "Windows NT Workstation version 4.0 Service Pack 6 (Build 1381)\n"},
        Row{{N, 4, 0, 1381, "Service Pack 5", false, 0, 0}, "WINNT", {0, 1, 0, 0, 0},
            "Windows NT Workstation version 4.0 Service Pack 5 (Build 1381)\n"},
        Row{{N, 4, 0, 1381, "Service Pack 5", false, 0, 0}, "LanmanNT", {0, 1, 0, 0, 0},
            "Windows NT Server version 4.0 Service Pack 5 (Build 1381)\n"},
        Row{{N, 4, 0, 1381, "", false, 0, 0}, "ServerNT", {0, 1, 0, 0, 0},
            "Windows NT Advanced Server version 4.0  (Build 1381)\n"},
        Row{{N, 4, 0, 1381, "", false, 0, 0}, nullptr, {0, 1, 0, 0, 0},
            "Windows NT version 4.0  (Build 1381)\n"},
        Row{{N, 4, 0, 1381, "SP6", true, 3, 0x0002}, nullptr, {0, 1, 0, 0, 0},
            "Windows NT Advanced Server version 4.0 SP6 (Build 1381)\n"},
        Row{{N, 4, 0, 1381, "SP6", true, 2, 0}, nullptr, {0, 1, 0, 0, 0},
            "Windows NT version 4.0 SP6 (Build 1381)\n"},
        Row{{N, 5, 0, 2195, "", true, 1, 0}, nullptr, {1, 0, 0, 0, 0},
            "Windows 2000 Professional  (Build 2195)\n"},
        Row{{N, 5, 0, 2195, "Service Pack 4", true, 2, 0}, nullptr, {1, 0, 0, 0, 0},
            "Windows 2000 Service Pack 4 (Build 2195)\n"},
        Row{{N, 5, 0, 2195, "", true, 3, 0x0080}, nullptr, {1, 0, 0, 0, 0},
            "Windows 2000 DataCenter Server  (Build 2195)\n"},
        Row{{N, 5, 0, 2195, "", false, 0, 0}, "WinNT", {1, 0, 0, 0, 0},
            "Windows 2000 Professional  (Build 2195)\n"},
        Row{{N, 5, 1, 2600, "Service Pack 1", true, 1, 0x0200}, nullptr, {1, 0, 0, 0, 0},
            "Windows XP Home Edition Service Pack 1 (Build 2600)\n"},
        // What XP Home reports: the personal bit beside single-user terminal services.
        Row{{N, 5, 1, 2600, "Service Pack 3", true, 1, 0x0300}, nullptr, {1, 0, 0, 0, 0},
            "Windows XP Home Edition Service Pack 3 (Build 2600)\n"},
        Row{{N, 5, 1, 2600, "Service Pack 3", true, 1, 0x0100}, nullptr, {1, 0, 0, 0, 0},
            "Windows XP Professional Service Pack 3 (Build 2600)\n"},
        Row{{N, 5, 1, 2600, "", true, 3, 0x0002}, nullptr, {1, 0, 0, 0, 0},
            "Windows .NET Enterprise Server  (Build 2600)\n"},
        Row{{N, 5, 1, 2600, "", true, 3, 0x0400}, nullptr, {1, 0, 0, 0, 0},
            "Windows .NET Web Server  (Build 2600)\n"},
        Row{{N, 5, 1, 2600, "", true, 3, 0x0410}, nullptr, {1, 0, 0, 0, 0},
            "Windows .NET Server  (Build 2600)\n"},
        Row{{N, 5, 1, 2600, "", true, 2, 0}, nullptr, {0, 0, 0, 0, 0}, "  (Build 2600)\n"},
        Row{{N, 5, 1, 2600, "", false, 0, 0}, "WINNT", {0, 0, 0, 0, 0}, " Professional  (Build 2600)\n"},
        Row{{N, 5, 2, 3790, "Service Pack 2", true, 3, 0x0100}, nullptr, {0, 0, 0, 0, 0},
            " Server Service Pack 2 (Build 3790)\n"},
        Row{{N, 6, 1, 7601, "Service Pack 1", true, 1, 0}, nullptr, {1, 0, 0, 0, 0},
            " Professional Service Pack 1 (Build 7601)\n"},
        Row{{N, 5, 2, 0x12340ECE, "", true, 2, 0}, nullptr, {0, 0, 0, 0, 0}, "  (Build 3790)\n"},
        Row{{3, 5, 1, 2600, "", true, 1, 0}, nullptr, {0, 0, 0, 0, 0}, ""}));

// "ProductType" of Windows NT 4.0 without the extended record: read up to its first zero,
// whatever its type and length.
struct ProductTypeShape {
  const char* label;
  DWORD type;
  std::string bytes;
  DWORD size;
  const char* edition;
};

TEST(IdentifyOS, ProductTypeOfAnyShapeNamesTheEditionOrNothing) {
  platform::ScopedSystem restore;
  platform::System().GetVersionExA = &FakeGetVersionEx;
  g_noVersion = false;
  testing_support::ScopedRegistry registry({"SYSTEM\\CurrentControlSet\\Control\\ProductOptions"});
  const std::string huge = "WINNT" + std::string(64 * 1024, ' ');
  const ProductTypeShape shapes[] = {
      {"Unterminated", REG_SZ, "WINNTX", 5, " Workstation"},
      {"Binary", REG_BINARY, "LanmanNT", 8, " Server"},
      {"Multi", REG_MULTI_SZ, std::string("ServerNT\0WINNT\0\0", 17), 17, " Advanced Server"},
      {"Dword", REG_DWORD, "WINN", 4, ""},
      {"Expand", REG_EXPAND_SZ, "WINNT", 6, " Workstation"},
      {"SixtyFourKilobytes", REG_SZ, huge, static_cast<DWORD>(huge.size() + 1), ""},
      {"Empty", REG_SZ, "", 1, ""},
      {"ZeroLength", REG_BINARY, "WINNT", 0, ""},
  };
  const char kOptions[] = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
  g_version = {N, 4, 0, 1381, "", false, 0, 0};
  for (const ProductTypeShape& shape : shapes) {
    testing_support::DeleteTree(HKEY_LOCAL_MACHINE, kOptions);
    testing_support::SetBinary(HKEY_LOCAL_MACHINE, kOptions, "ProductType", shape.bytes.data(),
                               shape.size, shape.type);
    WindowsVersion windows;
    EXPECT_TRUE(IdentifyWindows(windows));
    EXPECT_EQ(std::string("Windows NT") + shape.edition + " version 4.0  (Build 1381)\n",
              windows.Name())
        << shape.label;
  }
}

TEST(IdentifyOS, ReturnsZeroAndChangesNothingWithoutAVersionRecord) {
  platform::ScopedSystem restore;
  platform::System().GetVersionExA = &FakeGetVersionEx;
  g_noVersion = true;
  WindowsVersion windows(WindowsVersion::kWin98, "before");
  EXPECT_FALSE(IdentifyWindows(windows));
  EXPECT_EQ("before", windows.Name());
  EXPECT_EQ(static_cast<unsigned>(WindowsVersion::kWin98), windows.Flags());
  EXPECT_FALSE(IsWindows2000OrXP());
  g_noVersion = false;
}

TEST(IdentifyOS, LongServicePackTextIsShownWhole) {
  platform::ScopedSystem restore;
  platform::System().GetVersionExA = &FakeGetVersionEx;
  std::string csd(127, 'S');
  g_version = {N, 4, 0, 1381, csd.c_str(), true, 1, 0};
  WindowsVersion windows;
  IdentifyWindows(windows);
  EXPECT_EQ("Windows NT Workstation version 4.0 " + csd + " (Build 1381)\n", windows.Name());
}

TEST(IsWindows2000OrXP, TrueForVersions50And51Only) {
  platform::ScopedSystem restore;
  platform::System().GetVersionExA = &FakeGetVersionEx;
  g_noVersion = false;
  struct { DWORD platform, major, minor; bool expected; } cases[] = {
      {N, 5, 0, true}, {N, 5, 1, true}, {N, 4, 0, false}, {N, 5, 2, false},
      {N, 6, 0, false}, {N, 6, 1, false}, {W, 4, 10, false}, {W, 5, 1, true}};
  for (const auto& c : cases) {
    g_version = {c.platform, c.major, c.minor, 1, "", false, 0, 0};
    EXPECT_EQ(c.expected, IsWindows2000OrXP()) << c.major << "." << c.minor;
  }
}

}  // namespace
