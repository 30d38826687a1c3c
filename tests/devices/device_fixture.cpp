#include "devices/device_fixture.h"

#include <shlwapi.h>

#include <cstring>

#include "res/resource.h"

namespace devices_test {

namespace {
Windows g_windows = Windows::kXP;

BOOL WINAPI FakeVersion(LPOSVERSIONINFOA info) {
  const bool nt = g_windows == Windows::kXP || g_windows == Windows::kNT4;
  // NT 4.0 before Service Pack 6 refuses the extended record.
  if (g_windows == Windows::kNT4 && info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA))
    return FALSE;
  info->dwPlatformId = nt ? VER_PLATFORM_WIN32_NT : VER_PLATFORM_WIN32_WINDOWS;
  info->dwMajorVersion = g_windows == Windows::kXP ? 5 : 4;
  info->dwMinorVersion = g_windows == Windows::kXP ? 1 : g_windows == Windows::kWin98 ? 10 : 0;
  info->dwBuildNumber = g_windows == Windows::kXP ? 2600 : nt ? 1381 : 67766446;
  std::strcpy(info->szCSDVersion, "");
  if (info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA)) {
    auto* ex = reinterpret_cast<OSVERSIONINFOEXA*>(info);
    ex->wProductType = VER_NT_WORKSTATION;
    ex->wSuiteMask = 0x0100;
  }
  return TRUE;
}

const char kStillImageClass[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}";

// Trees that a fresh prefix does not hold.
const char* const kTrees[] = {
    "Enum",
    "System\\CurrentControlSet\\Services\\Class",
    "SYSTEM\\CurrentControlSet\\Enum\\USB",
    "SYSTEM\\CurrentControlSet\\Enum\\SCSI",
    "SYSTEM\\CurrentControlSet\\Enum\\1394",
    "SYSTEM\\CurrentControlSet\\Enum\\SBP2",
    "SYSTEM\\CurrentControlSet\\Enum\\Root\\SCSIAdapter",
    "SYSTEM\\CurrentControlSet\\Services\\ONSIO",
    "SYSTEM\\CurrentControlSet\\Services\\ASPI32",
};
}  // namespace

ScopedWindows::ScopedWindows(Windows windows) : m_previous(g_windows) {
  g_windows = windows;
  platform::System().GetVersionExA = &FakeVersion;
}

ScopedWindows::~ScopedWindows() { g_windows = m_previous; }

WindowsVersion VersionOf(Windows windows) {
  ScopedWindows faked(windows);
  WindowsVersion version;
  IdentifyWindows(version);
  return version;
}

LONG WINAPI RegDeleteKeyAs9x(HKEY root, LPCSTR path) {
  return static_cast<LONG>(::SHDeleteKeyA(root, path));
}

ScopedDeviceRegistry::ScopedDeviceRegistry() { Clean(); }
ScopedDeviceRegistry::~ScopedDeviceRegistry() { Clean(); }

void ScopedDeviceRegistry::Clean() {
  for (const char* tree : kTrees) testing_support::DeleteTree(HKEY_LOCAL_MACHINE, tree);
  // The class key itself belongs to the prefix; only its instances are ours.
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kStillImageClass, 0, KEY_ALL_ACCESS, &key) !=
      ERROR_SUCCESS)
    return;
  char name[256];
  while (::RegEnumKeyA(key, 0, name, sizeof(name)) == ERROR_SUCCESS)
    if (::SHDeleteKeyA(key, name) != ERROR_SUCCESS) break;
  ::RegCloseKey(key);
}

void Category::Add(bool nt5, const std::string& device, const std::string& makerText,
                   const std::string& displayText) const {
  // Made below the root's own handle: a long device name makes a whole path too long.
  testing_support::CreateKey(HKEY_LOCAL_MACHINE, Root(nt5));
  HKEY root = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, Root(nt5).c_str(), 0, KEY_ALL_ACCESS, &root) != ERROR_SUCCESS)
    return;
  const std::string below = instances ? device + "\\0000" : device;
  testing_support::SetString(root, below, maker, makerText);
  testing_support::SetString(root, below, text, displayText);
  ::RegCloseKey(root);
}

const Category kStillImage = {
    "StillImage", kStillImageClass, "System\\CurrentControlSet\\Services\\Class\\Image", false,
    "Vendor", "FriendlyName", IDC_CHK_STI, IDC_DETAIL_STI, &StillImageDevices,
    &CCleanerDlg::StillImage, &CCleanerDlg::RemoveSTIScanners};
const Category kScsi = {
    "Scsi", "SYSTEM\\CurrentControlSet\\Enum\\SCSI", "Enum\\SCSI", true, "Mfg", "ProductID",
    IDC_CHK_SCSI, IDC_DETAIL_SCSI, &ScsiDevices, &CCleanerDlg::Scsi,
    &CCleanerDlg::RemoveSCSIScanners};
const Category kUsb = {
    "Usb", "SYSTEM\\CurrentControlSet\\Enum\\USB", "Enum\\USB", true, "Mfg", "DeviceDesc",
    IDC_CHK_USB, IDC_DETAIL_USB, &UsbDevices, &CCleanerDlg::Usb, &CCleanerDlg::RemoveUSBScanners};
const Category* const kCategories[3] = {&kStillImage, &kScsi, &kUsb};

std::string RootName(const ::testing::TestParamInfo<std::tuple<const Category*, bool>>& info) {
  return std::string(std::get<0>(info.param)->name) + (std::get<1>(info.param) ? "NT" : "9x");
}

std::string Describe(const CSelectionList* list) {
  if (!list) return "(none)";
  std::string text;
  int position = 0;
  for (const auto& entry : *list) {
    if (!text.empty()) text += ",";
    if (!entry->m_bSelected) text += "!";
    text += entry->m_strText;
    if (entry->m_nIndex != position) text += "#" + std::to_string(entry->m_nIndex);
    ++position;
  }
  return text;
}

}  // namespace devices_test
