// Select All and Apply on a seeded Windows XP and 98: everything of the maker that the program
// may remove on that system goes, and every other maker's device, file and product stays.
#include <gtest/gtest.h>

#include "e2e/scenario.h"
#include "e2e/seeded_system.h"
#include "res/resource.h"
#include "support/registry_fixture.h"

namespace e2e {
namespace {

using testing_support::FilePresent;
using testing_support::KeyPresent;

const char kEnum[] = "SYSTEM\\CurrentControlSet\\Enum\\";
const char kStillImage[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}";
const char kAdapters[] = "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter";
const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool Key(const std::string& path) { return KeyPresent(HKEY_LOCAL_MACHINE, path); }

class WholeSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    windows = testing_support::WindowsDir();
    // The system's TWAIN files are among the system files.
    SeedTwainFiles();
  }
  void TearDown() override { ClearSeededSystem(); }

  // Seeds the system as `version` shows it, opens DrvPurge there and presses Select All.
  HWND SeedAndSelectAll(Program& program, const char* version) {
    if (!SeedSystem(version)) {
      ADD_FAILURE() << "seeding " << version << " failed";
      return nullptr;
    }
    HWND main = OpenMainDialog(program, Version(version));
    if (main) Command(main, IDC_SELECTALL);
    return main;
  }

  // Applies, and waits for the run's last step here, the USB one: its box is retired once
  // the devices are gone. No message box is expected on the way.
  void ApplyAndWait(Program& program, HWND main) {
    Command(main, IDC_APPLY);
    ASSERT_TRUE(WaitUntil([&] { return !IsEnabled(main, IDC_CHK_USB); }, 30000));
    EXPECT_EQ(BST_UNCHECKED, CheckState(main, IDC_CHK_USB));
    EXPECT_EQ(1u, program.Windows().size()) << "no message box is expected";
  }

  std::string windows;
};

TEST_F(WholeSystem, SelectAllThenApplyOnWindowsXpRemovesTheMakersTracesOnly) {
  Program program;
  HWND main = SeedAndSelectAll(program, "winxp");
  ASSERT_TRUE(main);
  ASSERT_TRUE(Key(std::string(kEnum) + "SCSI\\Scanner&Ven_Quillmar&Prod_QS-4800"));
  for (int box : {IDC_CHK_EVENTMGR, IDC_CHK_1394, IDC_CHK_STI, IDC_CHK_USB, IDC_CHK_EPP,
                  IDC_CHK_INF, IDC_CHK_SYSFILES})
    EXPECT_TRUE(WaitUntil([&] { return CheckState(main, box) == BST_CHECKED; })) << box;
  EXPECT_EQ(BST_UNCHECKED, CheckState(main, IDC_CHK_ASPI));
  EXPECT_EQ(BST_UNCHECKED, CheckState(main, IDC_CHK_DETECTOR));

  ApplyAndWait(program, main);

  // The maker's registrations are gone ...
  EXPECT_FALSE(Key(std::string(kStillImage) + "\\0000"));
  EXPECT_FALSE(Key(std::string(kStillImage) + "\\0001"));
  EXPECT_FALSE(Key(std::string(kEnum) + "USB\\Vid_0a3d&Pid_3300"));
  EXPECT_FALSE(Key(std::string(kEnum) + "USB\\Vid_0a3d&Pid_2400"));
  EXPECT_FALSE(Key(std::string(kEnum) + "1394\\Quillmar&QV3300FW"));
  EXPECT_FALSE(Key(std::string(kEnum) + "SBP2"));
  EXPECT_FALSE(Key(std::string(kAdapters) + "\\SimpleSCSI"));
  EXPECT_FALSE(Key(std::string(kEnum) + "Root\\SCSIAdapter\\SimpleSCSI"));
  EXPECT_FALSE(Key("SYSTEM\\CurrentControlSet\\Services\\ONSIO"));
  EXPECT_FALSE(testing_support::ValuePresent(HKEY_LOCAL_MACHINE, kRun, "evmonitr.exe"));
  EXPECT_FALSE(Key(std::string(kEnum) + "SCSI\\Scanner&Ven_Quillmar&Prod_QS-4800"));
  // ... except, with the detector not running, its start-up value.
  EXPECT_TRUE(testing_support::ValuePresent(HKEY_LOCAL_MACHINE, kRun, "ScanEye.exe"));
  // Other makers' registrations and every uninstall entry stay.
  EXPECT_TRUE(Key(std::string(kStillImage) + "\\0002"));
  EXPECT_TRUE(Key(std::string(kEnum) + "SCSI\\Disk&Ven_Nordlich&Prod_ND-2000"));
  EXPECT_TRUE(Key(std::string(kEnum) + "USB\\Vid_0b1e&Pid_0101"));
  // The other maker's camera is plugged in: removing it would stop it.
  EXPECT_TRUE(Key(std::string(kEnum) + "1394\\Nordlicht&DV100\\00a0b1c2d3e4f5a6"));
  EXPECT_TRUE(Key(std::string(kAdapters) + "\\0000"));
  EXPECT_TRUE(Key(std::string(kUninstall) + "Nordlicht PhotoSuite 3"));
  EXPECT_TRUE(Key(std::string(kUninstall) + "Quillmar ScanWizard 5"));

  for (const char* gone :
       {"\\System32\\Qlmcfg.dll", "\\System32\\qlvimx32.dll", "\\System32\\qlvimxui.dll",
        "\\INF\\QlScan.inf", "\\INF\\QlSti.inf", "\\INF\\Ql1394.inf",
        "\\INF\\Other\\QuillmarQV3300.inf", "\\INF\\Other\\QuillmarQS4800.inf", "\\INF\\oem3.inf",
        "\\INF\\oem3.PNF", "\\System\\Evmonitr.exe",
        "\\system32\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\oem3.cat"})
    EXPECT_FALSE(FilePresent(windows + gone)) << gone;
  for (const char* kept :
       {"\\System32\\nldigi32.dll", "\\System32\\Drivers\\nlusbcam.sys",
        "\\INF\\Other\\NordlichtDigiCam.inf", "\\INF\\oem4.inf", "\\INF\\oem4.PNF",
        "\\system32\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\oem4.cat"})
    EXPECT_TRUE(FilePresent(windows + kept)) << kept;

  LeaveAnsweringNo(program, main);
}


// The same on Windows 98: the registrations sit in the 9x places, SCSI scanners are
// removed too, and there are no OEM packages.
TEST_F(WholeSystem, SelectAllThenApplyOnWindows98RemovesTheMakersTracesOnly) {
  const std::string image = "System\\CurrentControlSet\\Services\\Class\\Image";
  Program program;
  HWND main = SeedAndSelectAll(program, "win98");
  ASSERT_TRUE(main);
  for (int box : {IDC_CHK_EVENTMGR, IDC_CHK_1394, IDC_CHK_STI, IDC_CHK_SCSI, IDC_CHK_USB,
                  IDC_CHK_EPP, IDC_CHK_INF, IDC_CHK_SYSFILES})
    EXPECT_TRUE(WaitUntil([&] { return CheckState(main, box) == BST_CHECKED; })) << box;

  ApplyAndWait(program, main);

  for (const char* gone : {"\\0000", "\\0001"})
    EXPECT_FALSE(Key(image + gone)) << gone;
  for (const std::string& gone : std::vector<std::string>{
           "Enum\\USB\\Vid_0a3d&Pid_3300", "Enum\\USB\\Vid_0a3d&Pid_2400",
        "Enum\\SCSI\\Scanner&Ven_Quillmar&Prod_QS-4800", "Enum\\1394", "Enum\\SBP2",
        "Enum\\Root\\SCSIAdapter\\SimpleSCSI", std::string(kAdapters) + "\\SimpleSCSI"})
    EXPECT_FALSE(Key(gone)) << gone;
  for (const std::string& kept : std::vector<std::string>{
           image + "\\0002", std::string("Enum\\USB\\Vid_0b1e&Pid_0101"),
        std::string("Enum\\SCSI\\Disk&Ven_Nordlich&Prod_ND-2000"), std::string(kAdapters) + "\\0000",
        std::string(kUninstall) + "Nordlicht PhotoSuite 3"})
    EXPECT_TRUE(Key(kept)) << kept;
  EXPECT_FALSE(testing_support::ValuePresent(HKEY_LOCAL_MACHINE, kRun, "evmonitr.exe"));

  for (const char* gone :
       {"\\System32\\Qlmcfg.dll", "\\System\\qlvimx32.dll", "\\System\\qlvimxui.dll",
        "\\System32\\Drivers\\Qlx1394s.sys", "\\System32\\Drivers\\qlimgdv.sys",
        "\\INF\\QlScan.inf", "\\INF\\Other\\QuillmarQV3300.inf", "\\System\\Evmonitr.exe"})
    EXPECT_FALSE(FilePresent(windows + gone)) << gone;
  for (const char* kept : {"\\System32\\nldigi32.dll", "\\INF\\Other\\NordlichtDigiCam.inf"})
    EXPECT_TRUE(FilePresent(windows + kept)) << kept;

  LeaveAnsweringNo(program, main);
}

}  // namespace
}  // namespace e2e
