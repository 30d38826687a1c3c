// Device removal as Device Manager does it. On Windows 2000 and later the device
// registrations below Enum let administrators only read them: the Plug and Play service,
// which SetupAPI's DIF_REMOVE asks, is the one that may remove them. setupapi.dll is
// loaded at run time and only there; Windows 95 and NT 4.0 have none.
#pragma once
#include <windows.h>
#include <setupapi.h>

#include <string>
#include <vector>

namespace platform {

// Below HKEY_LOCAL_MACHINE, the key under which the NT family keeps its device
// registrations; a device instance ID is the path of its key below this one.
extern const char kEnumKey[];

// The SetupAPI entries the program uses.
struct SetupApiCalls {
  HDEVINFO(WINAPI* GetClassDevsA)(const GUID* classGuid, PCSTR enumerator, HWND parent,
                                  DWORD flags);
  BOOL(WINAPI* EnumDeviceInfo)(HDEVINFO set, DWORD index, PSP_DEVINFO_DATA device);
  BOOL(WINAPI* GetDeviceInstanceIdA)(HDEVINFO set, PSP_DEVINFO_DATA device, PSTR id,
                                     DWORD size, PDWORD needed);
  BOOL(WINAPI* SetClassInstallParamsA)(HDEVINFO set, PSP_DEVINFO_DATA device,
                                       PSP_CLASSINSTALL_HEADER params, DWORD size);
  BOOL(WINAPI* CallClassInstaller)(DI_FUNCTION function, HDEVINFO set, PSP_DEVINFO_DATA device);
  BOOL(WINAPI* DestroyDeviceInfoList)(HDEVINFO set);

  // True when every entry is there.
  bool Complete() const;
};

// The entries, loaded from setupapi.dll on the first call (all null where it is missing).
// Tests may point them elsewhere for the length of one test (ScopedSetupApi).
SetupApiCalls& SetupApiEntries();

// Restores the entries when it goes out of scope.
class ScopedSetupApi {
 public:
  ScopedSetupApi() : m_saved(SetupApiEntries()) {}
  ~ScopedSetupApi() { SetupApiEntries() = m_saved; }
  ScopedSetupApi(const ScopedSetupApi&) = delete;
  ScopedSetupApi& operator=(const ScopedSetupApi&) = delete;

 private:
  SetupApiCalls m_saved;
};

// True on Windows 2000 and later, with setupapi.dll there; nothing below calls SetupAPI
// elsewhere.
bool DeviceManagerAvailable();

// The instance IDs of the devices of `enumerator` ("USB", "1394", "SBP2", "ROOT"): with
// `connectedOnly` those connected now, otherwise every one that Windows knows, plugged in
// or not. Empty where SetupAPI is not available.
std::vector<std::string> DeviceInstances(const char* enumerator, bool connectedOnly);

// Removes, as Device Manager does, every device instance whose key is `keyPath` (below
// HKEY_LOCAL_MACHINE, below Enum) or lies below it; the number that SetupAPI reported
// removed. A removal reported may still leave a key behind.
int RemoveDeviceInstances(const std::string& keyPath);

// The key path below HKEY_LOCAL_MACHINE of the device instance `id`.
std::string DeviceKeyPath(const std::string& id);

}  // namespace platform
