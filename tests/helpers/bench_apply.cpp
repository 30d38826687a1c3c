// Benchmark helper: the USB devices for timing Apply on Windows 2000 and XP, where each ticked
// device goes through SetupAPI's removal, and a count of what is left afterwards.
//
//   bench_apply seed MAKER OTHERS   MAKER devices of the maker among OTHERS of other makers
//                                   (spread evenly), each a device key with one instance that
//                                   carries a ClassGUID (SetupAPI lists only those). Earlier
//                                   bench USB keys and products are removed first.
//   bench_apply baseline            removes the maker's devices with the least SetupAPI work
//                                   there is: one information set of the enumerator, each
//                                   device's "Mfg" read once from its key, DIF_REMOVE on the
//                                   maker's; prints "apply_baseline_ms=<ms> removed=<n>"
//   bench_apply count               prints "left maker=<n> other=<n>": the instances of each
//                                   kind still below the bench USB keys
#include <windows.h>
#include <setupapi.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace {

const char kUsb[] = "SYSTEM\\CurrentControlSet\\Enum\\USB";
const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kUsbPrefix[] = "VID_B";  // as bench_registry's: no real vendor id starts with B
const char kAppPrefix[] = "BenchApp";
const char kImageClass[] = "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}";
const char kHidClass[] = "{745A17A0-74D3-11D0-B6FE-00A0C90F57DA}";
const char kMakerMfg[] = "Quillmar Imaging";

std::vector<std::string> Subkeys(HKEY key) {
  std::vector<std::string> names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof(name);
    if (::RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.push_back(name);
  }
  return names;
}

void RemoveWithPrefix(const char* path, const char* prefix) {
  HKEY root = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &root) != ERROR_SUCCESS) return;
  for (const std::string& name : Subkeys(root))
    if (name.compare(0, std::strlen(prefix), prefix) == 0) ::SHDeleteKeyA(root, name.c_str());
  ::RegCloseKey(root);
}

void SetText(HKEY key, const char* name, const std::string& text) {
  ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

int Seed(int maker, int others) {
  RemoveWithPrefix(kUsb, kUsbPrefix);
  RemoveWithPrefix(kUninstall, kAppPrefix);
  const int total = maker + others;
  int failed = 0;
  for (int i = 0; i < total; ++i) {
    // Device i is the maker's when the even spread of `maker` over `total` steps up at i.
    const bool isMaker = (i + 1) * maker / total != i * maker / total;
    char path[160];
    std::snprintf(path, sizeof(path), "%s\\%s%03X&PID_%04X\\5&%08X&0&1", kUsb, kUsbPrefix,
                  i / 4096, i % 4096, 0x5678u + i);
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
      ++failed;
      continue;
    }
    char text[80];
    std::snprintf(text, sizeof(text), isMaker ? "Quillmar Scanner %d" : "USB Input Device %d", i);
    SetText(key, "Mfg", isMaker ? kMakerMfg : "Generic Devices Inc.");
    SetText(key, "DeviceDesc", text);
    SetText(key, "Class", isMaker ? "Image" : "HIDClass");
    SetText(key, "ClassGUID", isMaker ? kImageClass : kHidClass);
    ::RegCloseKey(key);
  }
  if (failed) std::fprintf(stderr, "%d keys could not be created\n", failed);
  return failed ? 1 : 0;
}

int Count() {
  HKEY usb = nullptr;
  int maker = 0, other = 0;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUsb, 0, KEY_READ, &usb) == ERROR_SUCCESS) {
    for (const std::string& device : Subkeys(usb)) {
      if (device.compare(0, std::strlen(kUsbPrefix), kUsbPrefix) != 0) continue;
      HKEY deviceKey = nullptr;
      if (::RegOpenKeyExA(usb, device.c_str(), 0, KEY_READ, &deviceKey) != ERROR_SUCCESS) continue;
      for (const std::string& instance : Subkeys(deviceKey)) {
        char mfg[64] = "";
        DWORD size = sizeof(mfg) - 1;
        HKEY key = nullptr;
        if (::RegOpenKeyExA(deviceKey, instance.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
          ::RegQueryValueExA(key, "Mfg", nullptr, nullptr, reinterpret_cast<BYTE*>(mfg), &size);
          ::RegCloseKey(key);
        }
        ++(std::strcmp(mfg, kMakerMfg) == 0 ? maker : other);
      }
      ::RegCloseKey(deviceKey);
    }
    ::RegCloseKey(usb);
  }
  std::printf("left maker=%d other=%d\n", maker, other);
  return 0;
}

// The SetupAPI entries the baseline needs, from setupapi.dll of the system folder.
struct SetupApi {
  HDEVINFO(WINAPI* getClassDevs)(const GUID*, PCSTR, HWND, DWORD) = nullptr;
  BOOL(WINAPI* enumDevice)(HDEVINFO, DWORD, PSP_DEVINFO_DATA) = nullptr;
  BOOL(WINAPI* instanceId)(HDEVINFO, PSP_DEVINFO_DATA, PSTR, DWORD, PDWORD) = nullptr;
  BOOL(WINAPI* setParams)(HDEVINFO, PSP_DEVINFO_DATA, PSP_CLASSINSTALL_HEADER, DWORD) = nullptr;
  BOOL(WINAPI* callInstaller)(DI_FUNCTION, HDEVINFO, PSP_DEVINFO_DATA) = nullptr;
  BOOL(WINAPI* destroy)(HDEVINFO) = nullptr;

  bool Load() {
    char path[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(path, MAX_PATH - 16);
    if (length == 0 || length >= MAX_PATH - 16) return false;
    std::strcat(path, "\\setupapi.dll");
    HMODULE module = ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) return false;
    auto entry = [module](auto& pointer, const char* name) {
      pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(
          reinterpret_cast<void*>(::GetProcAddress(module, name)));
      return pointer != nullptr;
    };
    return entry(getClassDevs, "SetupDiGetClassDevsA") &&
           entry(enumDevice, "SetupDiEnumDeviceInfo") &&
           entry(instanceId, "SetupDiGetDeviceInstanceIdA") &&
           entry(setParams, "SetupDiSetClassInstallParamsA") &&
           entry(callInstaller, "SetupDiCallClassInstaller") &&
           entry(destroy, "SetupDiDestroyDeviceInfoList");
  }
};

bool NamesMaker(const std::string& id) {
  HKEY key = nullptr;
  const std::string path = "SYSTEM\\CurrentControlSet\\Enum\\" + id;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  char mfg[64] = "";
  DWORD size = sizeof(mfg) - 1;
  ::RegQueryValueExA(key, "Mfg", nullptr, nullptr, reinterpret_cast<BYTE*>(mfg), &size);
  ::RegCloseKey(key);
  return std::strstr(mfg, "Quillmar") != nullptr;
}

int Baseline() {
  SetupApi api;
  if (!api.Load()) {
    std::printf("failed: setupapi.dll\n");
    return 1;
  }
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  HDEVINFO set = api.getClassDevs(nullptr, "USB", nullptr, DIGCF_ALLCLASSES);
  if (set == INVALID_HANDLE_VALUE) {
    std::printf("failed: no device information set\n");
    return 1;
  }
  // The whole set is read first, as a removal may change what the indexes stand for.
  std::vector<SP_DEVINFO_DATA> maker;
  for (DWORD index = 0;; ++index) {
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    if (!api.enumDevice(set, index, &device)) break;
    char id[512] = "";
    if (api.instanceId(set, &device, id, sizeof(id), nullptr) && NamesMaker(id))
      maker.push_back(device);
  }
  int removed = 0;
  for (SP_DEVINFO_DATA& device : maker) {
    SP_REMOVEDEVICE_PARAMS params = {};
    params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    params.ClassInstallHeader.InstallFunction = DIF_REMOVE;
    params.Scope = DI_REMOVEDEVICE_GLOBAL;
    api.setParams(set, &device, &params.ClassInstallHeader, sizeof(params));
    if (api.callInstaller(DIF_REMOVE, set, &device)) ++removed;
  }
  api.destroy(set);
  ::QueryPerformanceCounter(&end);
  std::printf("apply_baseline_ms=%.1f removed=%d\n",
              1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                  static_cast<double>(frequency.QuadPart),
              removed);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "seed" && argc > 3) return Seed(std::atoi(argv[2]), std::atoi(argv[3]));
  if (mode == "baseline") return Baseline();
  if (mode == "count") return Count();
  std::fprintf(stderr, "usage: bench_apply seed MAKER OTHERS | baseline | count\n");
  return 64;
}
