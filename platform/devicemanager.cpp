#include "platform/devicemanager.h"

#include <type_traits>
#include <utility>

#include "platform/system.h"
#include "platform/text.h"

namespace platform {

const char kEnumKey[] = "SYSTEM\\CurrentControlSet\\Enum";

bool SetupApiCalls::Complete() const {
  return GetClassDevsA && EnumDeviceInfo && GetDeviceInstanceIdA && SetClassInstallParamsA &&
         CallClassInstaller && DestroyDeviceInfoList;
}

namespace {
SetupApiCalls Load() {
  SetupApiCalls calls = {};
  // Never freed: the entries stay valid for the life of the process.
  HMODULE library = ::LoadLibraryA("setupapi.dll");
  if (!library) return calls;
  auto entry = [library](auto& pointer, const char* name) {
    pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(
        reinterpret_cast<void*>(::GetProcAddress(library, name)));
  };
  entry(calls.GetClassDevsA, "SetupDiGetClassDevsA");
  entry(calls.EnumDeviceInfo, "SetupDiEnumDeviceInfo");
  entry(calls.GetDeviceInstanceIdA, "SetupDiGetDeviceInstanceIdA");
  entry(calls.SetClassInstallParamsA, "SetupDiSetClassInstallParamsA");
  entry(calls.CallClassInstaller, "SetupDiCallClassInstaller");
  entry(calls.DestroyDeviceInfoList, "SetupDiDestroyDeviceInfoList");
  return calls;
}

// Owns a device information set and destroys it once.
class DeviceInfoSet {
 public:
  explicit DeviceInfoSet(HDEVINFO set) : m_set(set) {}
  ~DeviceInfoSet() {
    if (Valid()) SetupApiEntries().DestroyDeviceInfoList(m_set);
  }
  DeviceInfoSet(const DeviceInfoSet&) = delete;
  DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;
  bool Valid() const { return m_set && m_set != INVALID_HANDLE_VALUE; }
  HDEVINFO Get() const { return m_set; }

 private:
  HDEVINFO m_set;
};

std::string InstanceId(HDEVINFO set, SP_DEVINFO_DATA& device) {
  std::string id(512, '\0');
  DWORD needed = 0;
  if (!SetupApiEntries().GetDeviceInstanceIdA(set, &device, &id[0],
                                               static_cast<DWORD>(id.size()), &needed)) {
    if (needed <= id.size()) return std::string();
    id.assign(needed, '\0');
    if (!SetupApiEntries().GetDeviceInstanceIdA(set, &device, &id[0], needed, nullptr))
      return std::string();
  }
  id.resize(id.find('\0') == std::string::npos ? id.size() : id.find('\0'));
  return id;
}

// Calls `visit(set, device, id)` for each device of `enumerator` in one information set.
template <class Visit>
void ForEachDevice(const char* enumerator, DWORD flags, Visit visit) {
  if (!DeviceManagerAvailable()) return;
  const DeviceInfoSet set(SetupApiEntries().GetClassDevsA(nullptr, enumerator, nullptr, flags));
  if (!set.Valid()) return;
  // The whole set is read before the first visit: a removal may change what the indexes
  // stand for.
  std::vector<std::pair<SP_DEVINFO_DATA, std::string>> devices;
  for (DWORD index = 0;; ++index) {
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    if (!SetupApiEntries().EnumDeviceInfo(set.Get(), index, &device)) break;
    std::string id = InstanceId(set.Get(), device);
    if (!id.empty()) devices.emplace_back(device, std::move(id));
  }
  for (auto& device : devices) visit(set.Get(), device.first, device.second);
}
}  // namespace

SetupApiCalls& SetupApiEntries() {
  static SetupApiCalls calls = Load();
  return calls;
}

bool DeviceManagerAvailable() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!System().GetVersionExA(&info)) return false;
  if (info.dwPlatformId != VER_PLATFORM_WIN32_NT || info.dwMajorVersion < 5) return false;
  return SetupApiEntries().Complete();
}

std::vector<std::string> DeviceInstances(const char* enumerator, bool connectedOnly) {
  std::vector<std::string> ids;
  const DWORD flags = DIGCF_ALLCLASSES | (connectedOnly ? DIGCF_PRESENT : 0);
  ForEachDevice(enumerator, flags, [&](HDEVINFO, SP_DEVINFO_DATA&, const std::string& id) {
    ids.push_back(id);
  });
  return ids;
}

std::string DeviceKeyPath(const std::string& id) { return std::string(kEnumKey) + "\\" + id; }

int RemoveDeviceInstances(const std::string& keyPath) {
  const std::string below = std::string(kEnumKey) + "\\";
  if (keyPath.size() <= below.size() || !PathWithin(keyPath, kEnumKey)) return 0;
  const std::string target = keyPath.substr(below.size());
  const std::string enumerator = target.substr(0, target.find('\\'));
  int removed = 0;
  // Without DIGCF_PRESENT: a scanner that is no longer plugged in is removed too.
  ForEachDevice(enumerator.c_str(), DIGCF_ALLCLASSES,
                [&](HDEVINFO set, SP_DEVINFO_DATA& device, const std::string& id) {
                  if (!PathWithin(id, target)) return;
                  SP_REMOVEDEVICE_PARAMS params = {};
                  params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
                  params.ClassInstallHeader.InstallFunction = DIF_REMOVE;
                  params.Scope = DI_REMOVEDEVICE_GLOBAL;
                  // The global scope is also what DIF_REMOVE does without parameters, so a
                  // refusal here (Wine has none of them) does not stop the removal.
                  SetupApiEntries().SetClassInstallParamsA(set, &device, &params.ClassInstallHeader,
                                                           sizeof(params));
                  if (SetupApiEntries().CallClassInstaller(DIF_REMOVE, set, &device)) ++removed;
                });
  return removed;
}

}  // namespace platform
