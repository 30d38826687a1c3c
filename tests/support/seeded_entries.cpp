#include "support/seeded_entries.h"

#include <windows.h>

#include "platform/files.h"

namespace testing_support {

namespace {
const char kStiRoot[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}";
const char kScsiRoot[] = "SYSTEM\\CurrentControlSet\\Enum\\SCSI";
const char kUsbRoot[] = "SYSTEM\\CurrentControlSet\\Enum\\USB";
const char kAside[] = ".detail-aside";

std::string Device(int i) { return "\\QlDetail" + std::to_string(i); }
std::string InfName(int i) { return "qldetail" + std::to_string(i) + ".inf"; }
std::string IniPath() { return platform::DirectoryOf(platform::ModulePath()) + "\\DrvPurge.ini"; }
}  // namespace

SeededEntries::SeededEntries() : m_registry(DeviceKeys()) {
  for (const std::string& path : AsidePaths())
    if (::MoveFileA(path.c_str(), (path + kAside).c_str())) m_aside.push_back(path);
  if (FilePresent(IniPath())) m_savedIni.reset(new std::string(ReadWholeFile(IniPath())));
  std::string ini = "[INF]\r\nTotal=3\r\n";
  auto maker = [](const std::string& key, const char* name) {
    SetString(HKEY_LOCAL_MACHINE, key, name, "Quillmar");
  };
  for (int i = 0; i < 3; ++i) {
    maker(kStiRoot + Device(i), "Vendor");
    maker(kScsiRoot + Device(i) + "\\0000", "Mfg");
    maker(kUsbRoot + Device(i) + "\\0000", "Mfg");
    ini += std::to_string(i + 1) + "=" + InfName(i) + "\r\n";
  }
  for (const std::string& file : Files()) WriteFile(file);
  WriteFile(IniPath(), ini);
}

SeededEntries::~SeededEntries() {
  Remove();
  RemoveFile(IniPath());
  if (m_savedIni) WriteFile(IniPath(), *m_savedIni);
  for (const std::string& path : m_aside) ::MoveFileA((path + kAside).c_str(), path.c_str());
}

void SeededEntries::Remove() {
  for (const std::string& key : DeviceKeys()) DeleteTree(HKEY_LOCAL_MACHINE, key);
  for (const std::string& file : Files()) RemoveFile(file);
}

std::vector<std::string> SeededEntries::DeviceKeys() {
  std::vector<std::string> keys;
  for (const char* root : {kStiRoot, kScsiRoot, kUsbRoot})
    for (int i = 0; i < 3; ++i) keys.push_back(root + Device(i));
  return keys;
}

std::vector<std::string> SeededEntries::Files() {
  const std::string windows = WindowsDir();
  std::vector<std::string> files;
  for (int i = 0; i < 3; ++i) {
    files.push_back(windows + "\\INF\\" + InfName(i));
    files.push_back(windows + "\\System32\\qlvimxdetail" + std::to_string(i) + ".dll");
  }
  return files;
}

// The system files that Wine's own set-up may have put where the list looks.
std::vector<std::string> SeededEntries::AsidePaths() {
  const std::string windows = WindowsDir();
  return {windows + "\\System32\\Qlmcfg.dll", windows + "\\Twain.dll", windows + "\\Twain_32.dll",
          windows + "\\Twunk_16.exe", windows + "\\Twunk_32.exe"};
}

}  // namespace testing_support
