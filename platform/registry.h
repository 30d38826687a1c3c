// Registry access: an owning key handle and the deletions. Every value and key name is
// read whole, whatever its length, and never past the data the registry returns.
// platform/ owns the thin wrappers of the Win32 calls and every handle they open; it
// includes nothing of ours.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace platform {

// A key path split into its parent's path and its last name, at the last backslash that
// is a character of its own; a path without one is all name, with an empty parent.
std::pair<std::string, std::string> SplitKeyPath(const std::string& path);

class RegKey {
 public:
  RegKey() = default;
  ~RegKey() { Close(); }
  RegKey(RegKey&& other) noexcept : m_key(other.m_key) { other.m_key = nullptr; }
  RegKey& operator=(RegKey&& other) noexcept;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  // RegOpenKeyExA; ERROR_SUCCESS is the only sign that the key exists.
  bool Open(HKEY root, const std::string& path, REGSAM access);
  // The same, giving RegOpenKeyExA's result.
  LONG OpenResult(HKEY root, const std::string& path, REGSAM access);
  void Close();

  bool IsOpen() const { return m_key != nullptr; }
  HKEY Handle() const { return m_key; }

  // The name of the subkey at `index`; false ends a walk (no more subkeys, or an error).
  bool EnumKey(DWORD index, std::string& name) const;
  // The value's bytes up to its first zero byte, or all of them when there is none,
  // whatever the value's type. False (and `text` empty) when the value cannot be read.
  bool QueryText(const char* valueName, std::string& text) const;
  std::string QueryText(const char* valueName) const;
  LONG DeleteValue(const char* valueName) const;

 private:
  HKEY m_key = nullptr;
};

// True when `path` below `root` opens with `access`.
bool KeyExists(HKEY root, const std::string& path, REGSAM access = KEY_READ);
// True only when `path` below `root` does not exist: a key that exists but cannot be opened
// (no rights, a path too long for the call) is not absent.
bool KeyAbsent(HKEY root, const std::string& path);

// RegDeleteKeyA: on the NT family only a key without subkeys; on Windows 9x the whole tree.
LONG DeleteKey(HKEY root, const std::string& path);
// SHDeleteKeyA: the key with all its subkeys on every system.
LONG DeleteKeyTree(HKEY root, const std::string& path);
// True while a registration still holds something to remove. Below the device
// registrations (Enum, in either form): an enumerator or device key only while it holds an
// instance key, and an instance key only while it is there; an instance whose removal
// awaits the restart counts as gone. Elsewhere: while the key is not absent.
bool RegistrationLeft(const std::string& path);

// What deleting one registration did.
struct DeviceKeyRemoval {
  bool m_bLeft = false;      // RegistrationLeft afterwards
  bool m_bRestart = false;   // Windows removes part of it only at the restart
  unsigned m_refusals = 0;   // when left, why as far as known (platform::Refusal bits)
};

// The removers' one rule, one result per path. With `nt5`: the keys below Enum first go
// through Device Manager's removal of every device instance at or below them (on Windows
// 2000 and later, one device information set per enumerator), then DeleteKeyTree takes
// what is left, sparing the instances that Windows removes at the restart. Without:
// DeleteKey. A device removal's refusal says why a key stayed; a delete that left it
// counts as refused.
std::vector<DeviceKeyRemoval> DeleteDeviceKeys(bool nt5, const std::vector<std::string>& paths);

}  // namespace platform
