#include "e2e/seeded_system.h"

#include <windows.h>

#include "e2e/driver.h"
#include "support/registry_fixture.h"

namespace e2e {
namespace {

const char kEnum[] = "SYSTEM\\CurrentControlSet\\Enum\\";
const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kTwainFiles[] = {"\\twain.dll", "\\twain_32.dll"};

}  // namespace

bool SeedSystem(const std::string& version) {
  Program seeder(OwnDirectory() + "\\seed_demo.exe");
  if (!seeder.Launch(version) || !seeder.WaitForExit(60000) || seeder.ExitCode() != 0)
    return false;
  if (version == "win2k" || version == "winxp" || version == "win2003") {
    for (const char* tree : {"SCSI", "USB", "1394", "SBP2", "Root\\SCSIAdapter"})
      testing_support::GrantEnumAccess(HKEY_LOCAL_MACHINE, std::string(kEnum) + tree);
  }
  return true;
}

void SeedTwainFiles() {
  const std::string windows = testing_support::WindowsDir();
  for (const char* name : kTwainFiles) {
    const std::string file = windows + name, copy = file + ".e2e";
    if (!testing_support::FilePresent(copy)) ::CopyFileA(file.c_str(), copy.c_str(), TRUE);
    testing_support::WriteFile(file, "the system's TWAIN library");
  }
}

void ClearSeededSystem() {
  const std::string windows = testing_support::WindowsDir();
  for (const char* name : kTwainFiles) {
    const std::string file = windows + name, copy = file + ".e2e";
    testing_support::RemoveFile(file);
    if (::CopyFileA(copy.c_str(), file.c_str(), TRUE)) ::DeleteFileA(copy.c_str());
  }
  for (const std::string& tree :
       {std::string("SYSTEM\\CurrentControlSet\\Control\\Class\\{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}"),
        std::string(kEnum) + "SCSI", std::string(kEnum) + "USB", std::string(kEnum) + "1394",
        std::string(kEnum) + "SBP2", std::string("System\\CurrentControlSet\\Services\\Class\\SCSIAdapter"),
        std::string(kEnum) + "Root\\SCSIAdapter", std::string("SYSTEM\\CurrentControlSet\\Services\\ONSIO"),
        std::string("SYSTEM\\CurrentControlSet\\Services\\ASPI32"),
        std::string(kUninstall) + "Quillmar ScanWizard 5",
        std::string(kUninstall) + "{5D2C7F04-8A1B-4C2E-9F3A-0E1D2C3B4A59}",
        std::string(kUninstall) + "Imagoquest Pro TX 2.1",
        std::string(kUninstall) + "Nordlicht PhotoSuite 3", std::string("Enum\\SCSI"),
        std::string("Enum\\USB"), std::string("Enum\\1394"), std::string("Enum\\SBP2"),
        std::string("Enum\\Root\\SCSIAdapter"),
        std::string("System\\CurrentControlSet\\Services\\Class\\Image")})
    testing_support::DeleteTree(HKEY_LOCAL_MACHINE, tree);
  HKEY run = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRun, 0, KEY_ALL_ACCESS, &run) == ERROR_SUCCESS) {
    for (const char* value : {"evmonitr.exe", "ScanEye.exe", "NordlichtTray"})
      ::RegDeleteValueA(run, value);
    ::RegCloseKey(run);
  }
  for (const char* file :
       {"\\System32\\Qlmcfg.dll", "\\System32\\qlvimx32.dll", "\\System32\\qlvimxui.dll",
        "\\Twunk_16.exe", "\\Twunk_32.exe", "\\System32\\nldigi32.dll",
        "\\System32\\Drivers\\nlusbcam.sys", "\\INF\\QlScan.inf", "\\INF\\QlSti.inf",
        "\\INF\\Ql1394.inf", "\\INF\\Other\\QuillmarQV3300.inf", "\\INF\\Other\\QuillmarQS4800.inf",
        "\\INF\\Other\\NordlichtDigiCam.inf", "\\INF\\oem3.inf", "\\INF\\oem3.PNF",
        "\\INF\\oem4.inf", "\\INF\\oem4.PNF", "\\System\\Evmonitr.exe",
        "\\system32\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\oem3.cat",
        "\\system32\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\oem4.cat",
        "\\System\\qlvimx32.dll", "\\System\\qlvimxui.dll", "\\System32\\Drivers\\Qlx1394s.sys",
        "\\System32\\Drivers\\qlimgdv.sys", "\\System\\qlimgdv.sys"})
    testing_support::RemoveFile(windows + file);
  const std::string program = ProgramPath();
  testing_support::RemoveFile(program.substr(0, program.rfind('\\')) + "\\DrvPurge.ini");
}

}  // namespace e2e
