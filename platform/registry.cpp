#include "platform/registry.h"

#include <shlwapi.h>

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

LONG DeleteDeviceKey(bool nt5, const std::string& path) {
  if (!nt5) return DeleteKey(HKEY_LOCAL_MACHINE, path);
  // A device registration goes through the Plug and Play service first, where Windows has
  // one; the delete takes whatever it leaves, and is all there is elsewhere.
  if (PathWithin(path, kEnumKey)) RemoveDeviceInstances(path);
  return DeleteKeyTree(HKEY_LOCAL_MACHINE, path);
}

}  // namespace platform
