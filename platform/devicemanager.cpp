#include "platform/devicemanager.h"

#include <map>
#include <type_traits>
#include <utility>

#include "platform/files.h"
#include "platform/system.h"
#include "platform/text.h"

namespace platform {

const char kEnumKey[] = "SYSTEM\\CurrentControlSet\\Enum";

bool SetupApiCalls::Complete() const {
  return GetClassDevsA && EnumDeviceInfo && GetDeviceInstanceIdA && SetClassInstallParamsA &&
         CallClassInstaller && GetDeviceInstallParamsA && DestroyDeviceInfoList;
}

unsigned RefusalOf(DWORD error) {
  switch (error) {
    case ERROR_IN_WOW64:
      return kRefusedWow64;
    // SetupAPI lets only members of the Administrators group remove a device.
    case ERROR_ACCESS_DENIED:
      return kRefusedNotAdministrator;
    default:
      return kRefusedOther;
  }
}

namespace {
// The instance keys whose removal Windows finishes at the restart, for the rest of the run.
std::vector<std::string>& AwaitingRestart() {
  static std::vector<std::string> paths;
  return paths;
}

// By its full path in the system folder: a bare name would be looked for in the program's
// own folder first, and the program runs as an administrator. The altered search path
// makes the DLL's own imports come from its folder too.
HMODULE LoadFromSystemFolder(const char* name) {
  const std::string folder = SystemDirectory();
  if (folder.empty()) return nullptr;
  return ::LoadLibraryExA((folder + "\\" + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

SetupApiCalls Load() {
  SetupApiCalls calls = {};
  // Never freed: the entries stay valid for the life of the process.
  HMODULE library = LoadFromSystemFolder("setupapi.dll");
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
  entry(calls.GetDeviceInstallParamsA, "SetupDiGetDeviceInstallParamsA");
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

// Calls `visit(set, device, id)` for each device of `enumerator` in one information set;
// false when there is no such set.
template <class Visit>
bool ForEachDevice(const char* enumerator, DWORD flags, Visit visit) {
  if (!DeviceManagerAvailable()) return false;
  const DeviceInfoSet set(SetupApiEntries().GetClassDevsA(nullptr, enumerator, nullptr, flags));
  if (!set.Valid()) return false;
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
  return true;
}

void RemoveOne(HDEVINFO set, SP_DEVINFO_DATA& device, const std::string& id,
               DeviceRemoval& result) {
  SP_REMOVEDEVICE_PARAMS params = {};
  params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
  params.ClassInstallHeader.InstallFunction = DIF_REMOVE;
  params.Scope = DI_REMOVEDEVICE_GLOBAL;
  // The global scope is also what DIF_REMOVE does without parameters, so a refusal here
  // (Wine has none of them) does not stop the removal.
  SetupApiEntries().SetClassInstallParamsA(set, &device, &params.ClassInstallHeader,
                                           sizeof(params));
  if (!SetupApiEntries().CallClassInstaller(DIF_REMOVE, set, &device)) {
    result.m_refusals |= RefusalOf(::GetLastError());
    return;
  }
  ++result.m_nRemoved;
  // Windows may finish the removal only at the restart, and says so in the device's
  // install parameters, which the caller of DIF_REMOVE must read.
  SP_DEVINSTALL_PARAMS_A install = {};
  install.cbSize = sizeof(install);
  if (SetupApiEntries().GetDeviceInstallParamsA(set, &device, &install) &&
      (install.Flags & (DI_NEEDREBOOT | DI_NEEDRESTART))) {
    result.m_bRestart = true;
    AwaitingRestart().push_back(DeviceKeyPath(id));
  }
}

// The first `parts` backslash-separated parts of `path`; empty when it has fewer.
std::string Leading(const std::string& path, size_t parts) {
  size_t at = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\' && ++at == parts) return path.substr(0, i);
    if (::IsDBCSLeadByte(static_cast<BYTE>(path[i]))) ++i;
  }
  return at + 1 == parts ? path : std::string();
}
}  // namespace

SetupApiCalls& SetupApiEntries() {
  static SetupApiCalls calls = Load();
  return calls;
}

ScopedSetupApi::ScopedSetupApi() : m_saved(SetupApiEntries()), m_savedRestart(AwaitingRestart()) {}

ScopedSetupApi::~ScopedSetupApi() {
  SetupApiEntries() = m_saved;
  AwaitingRestart() = m_savedRestart;
}

bool DeviceManagerAvailable() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!System().GetVersionExA(&info)) return false;
  if (info.dwPlatformId != VER_PLATFORM_WIN32_NT || info.dwMajorVersion < 5) return false;
  return SetupApiEntries().Complete();
}

bool ListDevices(const char* enumerator, bool connectedOnly, std::vector<std::string>* ids) {
  const DWORD flags = DIGCF_ALLCLASSES | (connectedOnly ? DIGCF_PRESENT : 0);
  return ForEachDevice(enumerator, flags, [&](HDEVINFO, SP_DEVINFO_DATA&, const std::string& id) {
    if (ids) ids->push_back(id);
  });
}

std::string DeviceKeyPath(const std::string& id) { return std::string(kEnumKey) + "\\" + id; }

std::vector<DeviceRemoval> RemoveDeviceInstances(const std::vector<std::string>& keyPaths) {
  std::vector<DeviceRemoval> results(keyPaths.size());
  const std::string below = std::string(kEnumKey) + "\\";
  // By enumerator, each path by its case key below Enum.
  std::map<std::string, std::map<std::string, size_t>> enumerators;
  for (size_t i = 0; i < keyPaths.size(); ++i) {
    if (keyPaths[i].size() <= below.size() || !PathWithin(keyPaths[i], kEnumKey)) continue;
    const std::string key = CaseKey(keyPaths[i].substr(below.size()));
    enumerators[Leading(key, 1)].emplace(key, i);
  }
  for (const auto& paths : enumerators) {
    // Without DIGCF_PRESENT: a scanner that is no longer plugged in is removed too.
    ForEachDevice(paths.first.c_str(), DIGCF_ALLCLASSES,
                  [&](HDEVINFO set, SP_DEVINFO_DATA& device, const std::string& id) {
                    const std::string key = CaseKey(id);
                    // The path is the ID's key or one above it.
                    for (size_t parts = 1; !Leading(key, parts).empty(); ++parts) {
                      const auto path = paths.second.find(Leading(key, parts));
                      if (path == paths.second.end()) continue;
                      if (!RemovedAtRestart(DeviceKeyPath(id)))
                        RemoveOne(set, device, id, results[path->second]);
                      return;
                    }
                  });
  }
  return results;
}

bool RemovedAtRestart(const std::string& path) {
  for (const std::string& instance : AwaitingRestart())
    if (PathWithin(path, instance)) return true;
  return false;
}

bool HoldsRemovalAtRestart(const std::string& path) {
  for (const std::string& instance : AwaitingRestart())
    if (PathWithin(instance, path)) return true;
  return false;
}

}  // namespace platform
