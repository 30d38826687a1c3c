// Device removal as Device Manager does it. On Windows 2000 and later the device
// registrations below Enum let administrators only read them: the Plug and Play service,
// which SetupAPI's DIF_REMOVE asks, is the one that may remove them. setupapi.dll is
// loaded at run time, from the system folder, and only there; Windows 95 and NT 4.0 have
// none.
#pragma once
#include <windows.h>
#include <setupapi.h>

#include <string>
#include <vector>

namespace platform {

// Below HKEY_LOCAL_MACHINE, the key under which the NT family keeps its device
// registrations; a device instance ID is the path of its key below this one.
extern const char kEnumKey[];

// Why Windows kept a device or a key, as bits; the removal reports carry them on unchanged.
enum Refusal : unsigned {
  kRefusedNotAdministrator = 1u << 0,  // only administrators may remove devices
  kRefusedWow64 = 1u << 1,             // 64-bit Windows refuses a 32-bit program
  kRefusedOther = 1u << 2,             // any other refusal, or a delete that left the key
};

// The refusal that a failed DIF_REMOVE's error stands for: the one place that reads them.
unsigned RefusalOf(DWORD error);

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
  BOOL(WINAPI* GetDeviceInstallParamsA)(HDEVINFO set, PSP_DEVINFO_DATA device,
                                        PSP_DEVINSTALL_PARAMS_A params);
  BOOL(WINAPI* DestroyDeviceInfoList)(HDEVINFO set);

  // True when every entry is there.
  bool Complete() const;
};

// The entries, loaded from setupapi.dll on the first call (all null where it is missing).
// Tests may point them elsewhere for the length of one test (ScopedSetupApi).
SetupApiCalls& SetupApiEntries();

// Restores the entries, and forgets the removals awaiting the restart made meanwhile, when
// it goes out of scope.
class ScopedSetupApi {
 public:
  ScopedSetupApi();
  ~ScopedSetupApi();
  ScopedSetupApi(const ScopedSetupApi&) = delete;
  ScopedSetupApi& operator=(const ScopedSetupApi&) = delete;

 private:
  SetupApiCalls m_saved;
  std::vector<std::string> m_savedRestart;
};

// True on Windows 2000 and later, with setupapi.dll there; nothing below calls SetupAPI
// elsewhere.
bool DeviceManagerAvailable();

// The instance IDs of the devices of `enumerator` ("USB", "1394", "SBP2", "ROOT"): with
// `connectedOnly` those connected now, otherwise every one that Windows knows, plugged in
// or not. False when they cannot be listed: SetupAPI is not available, or refused the list.
bool ListDevices(const char* enumerator, bool connectedOnly, std::vector<std::string>* ids);

// What DIF_REMOVE did with the device instances at or below one key.
struct DeviceRemoval {
  int m_nRemoved = 0;       // reported removed, now or at the restart
  bool m_bRestart = false;  // Windows removes one of them only when it restarts
  unsigned m_refusals = 0;  // Refusal bits of those it kept
};

// Removes, as Device Manager does, every device instance whose key is one of `keyPaths`
// (below HKEY_LOCAL_MACHINE, below Enum) or lies below one, with one device information
// set per enumerator; one result per path, in order. An instance already awaiting the
// restart is not asked again. A removal reported may still leave a key behind.
std::vector<DeviceRemoval> RemoveDeviceInstances(const std::vector<std::string>& keyPaths);

// True when `path` is, or lies below, the key of a device instance whose removal Windows
// finishes only at the restart; such a device counts as removed for the rest of the run.
bool RemovedAtRestart(const std::string& path);
// True when such an instance is `path` or lies below it.
bool HoldsRemovalAtRestart(const std::string& path);

// The key path below HKEY_LOCAL_MACHINE of the device instance `id`.
std::string DeviceKeyPath(const std::string& id);

}  // namespace platform
