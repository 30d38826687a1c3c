#include "platform/registry.h"

#include <shlwapi.h>

#include <cstring>
#include <vector>

#include "platform/devicemanager.h"
#include "platform/system.h"
#include "platform/text.h"

namespace platform {

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    m_key = other.m_key;
    other.m_key = nullptr;
  }
  return *this;
}

bool RegKey::Open(HKEY root, const std::string& path, REGSAM access) {
  return OpenResult(root, path, access) == ERROR_SUCCESS;
}

LONG RegKey::OpenResult(HKEY root, const std::string& path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  const LONG result = ::RegOpenKeyExA(root, path.c_str(), 0, access, &key);
  if (result == ERROR_SUCCESS) m_key = key;
  return result;
}

void RegKey::Close() {
  if (m_key) ::RegCloseKey(m_key);
  m_key = nullptr;
}

bool RegKey::EnumKey(DWORD index, std::string& name) const {
  name.clear();
  if (!m_key) return false;
  // A name holds at most 255 characters, but in a double-byte code page those may take
  // twice as many bytes: the size is counted in bytes, so a buffer that is too small
  // answers ERROR_MORE_DATA and the name is read again into a larger one.
  std::vector<char> buffer(256);
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG result =
        ::RegEnumKeyExA(m_key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (result != ERROR_SUCCESS) return false;
    name.assign(buffer.data(), length < buffer.size() ? length : buffer.size() - 1);
    return true;
  }
  return false;
}

bool RegKey::QueryText(const char* valueName, std::string& text) const {
  text.clear();
  if (!m_key) return false;
  std::vector<BYTE> data(256);
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD size = static_cast<DWORD>(data.size());
    LONG result = ::RegQueryValueExA(m_key, valueName, nullptr, nullptr, data.data(), &size);
    if (result == ERROR_MORE_DATA) {
      // The value may grow between two calls: ask again with what it needs now.
      data.resize(size > data.size() ? size : data.size() * 2);
      continue;
    }
    if (result != ERROR_SUCCESS) return false;
    size_t used = size < data.size() ? size : data.size();
    size_t end = 0;
    while (end < used && data[end] != 0) ++end;
    text.assign(reinterpret_cast<const char*>(data.data()), end);
    return true;
  }
  return false;
}

std::string RegKey::QueryText(const char* valueName) const {
  std::string text;
  QueryText(valueName, text);
  return text;
}

LONG RegKey::DeleteValue(const char* valueName) const {
  if (!m_key) return ERROR_INVALID_HANDLE;
  return ::RegDeleteValueA(m_key, valueName);
}

bool KeyExists(HKEY root, const std::string& path, REGSAM access) {
  RegKey key;
  return key.Open(root, path, access);
}

std::pair<std::string, std::string> SplitKeyPath(const std::string& path) {
  const size_t slash = LastBackslash(path);
  if (slash == std::string::npos) return {std::string(), path};
  return {path.substr(0, slash), path.substr(slash + 1)};
}

namespace {
// Runs `call(parent, name)` on the key's parent and its last name. A key name may hold 255
// characters and some registries refuse a whole path of more than 260, which a name
// below an open parent never is. The parent's open error is the result when it fails.
// The parent is only read: a delete needs its rights on the key itself, not on the parent,
// and on Windows 2000 and XP the parents of the device registrations grant only reading.
template <class Call>
LONG OnParent(HKEY root, const std::string& path, Call call) {
  const std::pair<std::string, std::string> split = SplitKeyPath(path);
  if (split.first.empty() || split.second.empty()) return call(root, path.c_str());
  RegKey parent;
  const LONG result = parent.OpenResult(root, split.first, KEY_READ);
  if (result != ERROR_SUCCESS) return result;
  return call(parent.Handle(), split.second.c_str());
}
}  // namespace

bool KeyAbsent(HKEY root, const std::string& path) {
  const LONG result = OnParent(root, path, [](HKEY parent, const char* name) {
    RegKey key;
    return key.OpenResult(parent, name, KEY_QUERY_VALUE);
  });
  return result == ERROR_FILE_NOT_FOUND;
}

LONG DeleteKey(HKEY root, const std::string& path) {
  return OnParent(root, path, [](HKEY parent, const char* name) {
    return System().RegDeleteKeyA(parent, name);
  });
}

LONG DeleteKeyTree(HKEY root, const std::string& path) {
  return OnParent(root, path, [](HKEY parent, const char* name) {
    return System().SHDeleteKeyA(parent, name);
  });
}

namespace {
// Opens `path` to read, below its parent's handle (see OnParent); RegOpenKeyExA's result.
LONG OpenToRead(RegKey& key, const std::string& path) {
  return OnParent(HKEY_LOCAL_MACHINE, path, [&key](HKEY parent, const char* name) {
    return key.OpenResult(parent, name, KEY_READ);
  });
}

// How deep `path` lies below the device registrations of either form: 1 for an
// enumerator, 2 for a device, 3 for an instance and more inside one; 0 elsewhere.
size_t DepthBelowEnum(const std::string& path) {
  for (const char* root : {kEnumKey, "Enum"}) {
    const size_t length = std::strlen(root);
    if (path.size() <= length || !PathWithin(path, root)) continue;
    size_t depth = 0;
    for (size_t at = length; at < path.size(); ++at) {
      if (path[at] == '\\')
        ++depth;
      else if (::IsDBCSLeadByte(static_cast<BYTE>(path[at])))
        ++at;
    }
    return depth;
  }
  return 0;
}

// True when `key`, `depth` deep, holds an instance key that does not await the restart.
// A key that cannot be read is not known to be empty.
bool HoldsInstance(const RegKey& key, const std::string& path, size_t depth) {
  std::string name;
  for (DWORD index = 0; key.EnumKey(index, name); ++index) {
    const std::string child = path + "\\" + name;
    if (depth + 1 >= 3) {
      if (!RemovedAtRestart(child)) return true;
      continue;
    }
    RegKey below;
    if (!below.Open(key.Handle(), name, KEY_READ) || HoldsInstance(below, child, depth + 1))
      return true;
  }
  return false;
}

// DeleteKeyTree, but for the instances whose removal awaits the restart: Windows has not
// finished with them, so their keys and the keys above them stay.
LONG DeleteSparingRestart(const std::string& path) {
  if (!HoldsRemovalAtRestart(path)) return DeleteKeyTree(HKEY_LOCAL_MACHINE, path);
  if (RemovedAtRestart(path)) return ERROR_SUCCESS;
  RegKey key;
  const LONG opened = OpenToRead(key, path);
  if (opened != ERROR_SUCCESS) return opened;
  std::vector<std::string> names;
  std::string name;
  for (DWORD index = 0; key.EnumKey(index, name); ++index) names.push_back(name);
  key.Close();
  LONG result = ERROR_SUCCESS;
  for (const std::string& child : names) {
    const LONG deleted = DeleteSparingRestart(path + "\\" + child);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) result = deleted;
  }
  return result;
}
}  // namespace

bool RegistrationLeft(const std::string& path) {
  const size_t depth = DepthBelowEnum(path);
  if (depth == 0) return !KeyAbsent(HKEY_LOCAL_MACHINE, path);
  if (depth >= 3) return !RemovedAtRestart(path) && !KeyAbsent(HKEY_LOCAL_MACHINE, path);
  RegKey key;
  const LONG opened = OpenToRead(key, path);
  if (opened == ERROR_FILE_NOT_FOUND) return false;
  return opened != ERROR_SUCCESS || HoldsInstance(key, path, depth);
}

std::vector<DeviceKeyRemoval> DeleteDeviceKeys(bool nt5, const std::vector<std::string>& paths) {
  // A device registration goes through the Plug and Play service first, where Windows has
  // one; the delete takes whatever it leaves, and is all there is elsewhere.
  const std::vector<DeviceRemoval> removals =
      nt5 ? RemoveDeviceInstances(paths) : std::vector<DeviceRemoval>(paths.size());
  std::vector<DeviceKeyRemoval> results(paths.size());
  for (size_t i = 0; i < paths.size(); ++i) {
    if (nt5)
      DeleteSparingRestart(paths[i]);
    else
      DeleteKey(HKEY_LOCAL_MACHINE, paths[i]);
    DeviceKeyRemoval& result = results[i];
    result.m_bRestart = removals[i].m_bRestart;
    result.m_bLeft = RegistrationLeft(paths[i]);
    // Windows' own reason for keeping a device says more than the delete's refusal.
    if (result.m_bLeft)
      result.m_refusals = removals[i].m_refusals ? removals[i].m_refusals : kRefusedOther;
  }
  return results;
}

}  // namespace platform
