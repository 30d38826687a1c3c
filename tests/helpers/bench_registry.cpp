// Benchmark helper: fills the registry with many installed products and USB devices, and
// times the plainest possible read of the same keys, for comparison with DrvPurge.exe.
//
//   bench_registry seed N [SHAPE]
//                               N uninstall keys and N USB device keys (one instance each);
//                               every 50th names the maker. Earlier bench keys are removed.
//                               SHAPE "last" gives the maker's devices (as many) the last
//                               places in the enumeration instead, "none" has none of them;
//                               the products are the same in every shape.
//   bench_registry clear        removes the bench keys
//   bench_registry baseline R [once]
//                               reads both key sets R times with the bare registry calls and
//                               prints "baseline_ms <median> <min> <max> apps=<n> usb=<n>";
//                               "once" leaves out the first, untimed read that warms the
//                               server's caches (when the caller alternates runs with others)
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kUsb[] = "SYSTEM\\CurrentControlSet\\Enum\\USB";
const char kAppPrefix[] = "BenchApp";
const char kUsbPrefix[] = "VID_B";  // VID_Bxxx&PID_yyyy: no real vendor id starts with B

void SetText(HKEY key, const char* name, const std::string& text) {
  ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

HKEY Create(HKEY parent, const std::string& path) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

// Removes the subkeys of `path` whose names start with `prefix`.
void RemoveWithPrefix(const char* path, const char* prefix) {
  HKEY root = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &root) != ERROR_SUCCESS) return;
  std::vector<std::string> names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof(name);
    if (::RegEnumKeyExA(root, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    if (std::strncmp(name, prefix, std::strlen(prefix)) == 0) names.push_back(name);
  }
  for (const std::string& n : names) ::SHDeleteKeyA(root, n.c_str());
  ::RegCloseKey(root);
}

int Clear() {
  RemoveWithPrefix(kUninstall, kAppPrefix);
  RemoveWithPrefix(kUsb, kUsbPrefix);
  return 0;
}

// Which USB devices name the maker.
enum class Shape { kSpread, kLast, kNone };

int Seed(int count, Shape shape) {
  Clear();
  HKEY apps = Create(HKEY_LOCAL_MACHINE, kUninstall);
  HKEY usb = Create(HKEY_LOCAL_MACHINE, kUsb);
  if (!apps || !usb) {
    std::fprintf(stderr, "cannot create the uninstall or USB key\n");
    return 1;
  }
  int failed = 0;
  for (int i = 0; i < count; ++i) {
    const bool maker = i % 50 == 7;
    char name[64];
    std::snprintf(name, sizeof(name), "%s%05d", kAppPrefix, i);
    if (HKEY key = Create(apps, name)) {
      char text[80];
      std::snprintf(text, sizeof(text), maker ? "Quillmar ScanSuite %d" : "Office Tool %d", i);
      SetText(key, "DisplayName", text);
      std::snprintf(text, sizeof(text), "C:\\Program Files\\Bench%05d\\uninst.exe /remove", i);
      SetText(key, "UninstallString", text);
      ::RegCloseKey(key);
    } else {
      ++failed;
    }
    // The names sort in the order of i, and the registry enumerates its subkeys sorted.
    std::snprintf(name, sizeof(name), "%s%03X&PID_%04X\\5&%08X&0&1", kUsbPrefix, i / 4096,
                  i % 4096, 0x1234u + i);
    const bool makerDevice = shape == Shape::kSpread ? maker
                             : shape == Shape::kLast ? i >= count - count / 50
                                                     : false;
    if (HKEY key = Create(usb, name)) {
      SetText(key, "Mfg", makerDevice ? "Quillmar Imaging" : "Generic Devices Inc.");
      char text[80];
      std::snprintf(text, sizeof(text), makerDevice ? "Quillmar Scanner %d" : "USB Input Device %d",
                    i);
      SetText(key, "DeviceDesc", text);
      ::RegCloseKey(key);
    } else {
      ++failed;
    }
  }
  ::RegCloseKey(apps);
  ::RegCloseKey(usb);
  if (failed) std::fprintf(stderr, "%d keys could not be created\n", failed);
  return failed ? 1 : 0;
}

// Reads a text value into `buffer`; what a reader of these keys needs at the least.
void Read(HKEY key, const char* name, char* buffer, DWORD size) {
  buffer[0] = 0;
  ::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
}

volatile long g_sink = 0;  // keeps the reads from being optimised away

// Every installed product: its name, its two values.
int ReadProducts() {
  HKEY root = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstall, 0, KEY_READ, &root) != ERROR_SUCCESS)
    return 0;
  int count = 0;
  char name[256], display[64], command[512];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof(name);
    if (::RegEnumKeyExA(root, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, name, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    Read(key, "DisplayName", display, sizeof(display));
    Read(key, "UninstallString", command, sizeof(command));
    g_sink += display[0] + command[0];
    ::RegCloseKey(key);
    ++count;
  }
  ::RegCloseKey(root);
  return count;
}

// Every USB device: its first instance's two values.
int ReadDevices() {
  HKEY root = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUsb, 0, KEY_READ, &root) != ERROR_SUCCESS) return 0;
  int count = 0;
  char name[256], instance[256], mfg[64], desc[64];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof(name);
    if (::RegEnumKeyExA(root, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    HKEY device = nullptr;
    if (::RegOpenKeyExA(root, name, 0, KEY_READ, &device) != ERROR_SUCCESS) continue;
    size = sizeof(instance);
    HKEY key = nullptr;
    if (::RegEnumKeyExA(device, 0, instance, &size, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS &&
        ::RegOpenKeyExA(device, instance, 0, KEY_READ, &key) == ERROR_SUCCESS) {
      Read(key, "Mfg", mfg, sizeof(mfg));
      Read(key, "DeviceDesc", desc, sizeof(desc));
      g_sink += mfg[0] + desc[0];
      ::RegCloseKey(key);
      ++count;
    }
    ::RegCloseKey(device);
  }
  ::RegCloseKey(root);
  return count;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

int Baseline(int runs, bool warm) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  auto ms = [&](const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  };
  std::vector<double> both, products, devices;
  int apps = 0, usb = 0;
  if (warm) {
    ReadProducts();  // the first read warms the server's caches, as DrvPurge's start-up does
    ReadDevices();
  }
  for (int run = 0; run < runs; ++run) {
    LARGE_INTEGER start, middle, end;
    ::QueryPerformanceCounter(&start);
    apps = ReadProducts();
    ::QueryPerformanceCounter(&middle);
    usb = ReadDevices();
    ::QueryPerformanceCounter(&end);
    both.push_back(ms(start, end));
    products.push_back(ms(start, middle));
    devices.push_back(ms(middle, end));
  }
  std::printf("baseline_ms %.2f %.2f %.2f apps=%d usb=%d apps_ms=%.2f usb_ms=%.2f\n", Median(both),
              *std::min_element(both.begin(), both.end()),
              *std::max_element(both.begin(), both.end()), apps, usb, Median(products),
              Median(devices));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const int number = argc > 2 ? std::atoi(argv[2]) : 0;
  const std::string option = argc > 3 ? argv[3] : "";
  const std::string shape = option.empty() ? "spread" : option;
  if (mode == "seed" && (shape == "spread" || shape == "last" || shape == "none"))
    return Seed(number, shape == "last"   ? Shape::kLast
                        : shape == "none" ? Shape::kNone
                                          : Shape::kSpread);
  if (mode == "clear") return Clear();
  if (mode == "baseline") return Baseline(number > 0 ? number : 5, option != "once");
  std::fprintf(stderr,
               "usage: bench_registry seed N [spread|last|none] | clear | baseline RUNS [once]\n");
  return 64;
}
