#include "support/registry_fixture.h"

#include <sddl.h>
#include <shlwapi.h>

#include <utility>

namespace testing_support {

void CreateKey(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
    ::RegCloseKey(key);
}

void SetBinary(HKEY root, const std::string& path, const char* name, const void* data,
               DWORD size, DWORD type) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
    return;
  ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  ::RegCloseKey(key);
}

void SetString(HKEY root, const std::string& path, const char* name, const std::string& value) {
  SetBinary(root, path, name, value.c_str(), static_cast<DWORD>(value.size() + 1), REG_SZ);
}

void SetDword(HKEY root, const std::string& path, const char* name, DWORD value) {
  SetBinary(root, path, name, &value, sizeof(value), REG_DWORD);
}

bool KeyPresent(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

bool ValuePresent(HKEY root, const std::string& path, const char* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  bool present = ::RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  ::RegCloseKey(key);
  return present;
}

void DeleteTree(HKEY root, const std::string& path) { ::SHDeleteKeyA(root, path.c_str()); }

namespace {
// Sets the key's access list: `locked`, one entry that denies everyone every right; else
// none at all, which lets everyone do everything. The owner may always change the list.
void SetAccessList(HKEY root, const std::string& path, bool locked) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return;
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  DWORD acl[64] = {};  // aligned room for the list and its one entry
  SECURITY_DESCRIPTOR descriptor;
  ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  if (locked && ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                           &everyone)) {
    PACL list = reinterpret_cast<PACL>(acl);
    ::InitializeAcl(list, sizeof(acl), ACL_REVISION);
    ::AddAccessDeniedAce(list, ACL_REVISION, KEY_ALL_ACCESS, everyone);
    ::SetSecurityDescriptorDacl(&descriptor, TRUE, list, FALSE);
  } else {
    ::SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
  }
  ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
  if (everyone) ::FreeSid(everyone);
  ::RegCloseKey(key);
}
}  // namespace

void GrantEnumAccess(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | WRITE_DAC, &key) != ERROR_SUCCESS) return;
  // Subkeys first: an inherited entry reaches only the keys made after it.
  std::vector<std::string> names;
  char name[512];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof(name);
    if (::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    names.emplace_back(name, length);
  }
  for (const std::string& child : names) GrantEnumAccess(root, path + "\\" + child);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::ConvertStringSecurityDescriptorToSecurityDescriptorA(
          "D:P(A;CI;KA;;;SY)(A;CI;KR;;;WD)", SDDL_REVISION_1, &descriptor, nullptr)) {
    ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    ::LocalFree(descriptor);
  }
  ::RegCloseKey(key);
}

ScopedLockedKey::ScopedLockedKey(HKEY root, std::string path) : m_root(root), m_path(std::move(path)) {
  SetAccessList(m_root, m_path, true);
}

ScopedLockedKey::~ScopedLockedKey() { SetAccessList(m_root, m_path, false); }

ScopedRegistry::ScopedRegistry(std::vector<std::string> paths) : m_paths(std::move(paths)) {
  Clean();
}

ScopedRegistry::~ScopedRegistry() { Clean(); }

void ScopedRegistry::Clean() {
  for (const std::string& path : m_paths) DeleteTree(HKEY_LOCAL_MACHINE, path);
}

void MakeDirectories(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    ::CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  ::CreateDirectoryA(path.c_str(), nullptr);
}

void WriteFile(const std::string& path, const std::string& content) {
  size_t slash = path.rfind('\\');
  if (slash != std::string::npos) MakeDirectories(path.substr(0, slash));
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  ::CloseHandle(file);
}

bool FilePresent(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string content;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
    content.append(buffer, read);
  ::CloseHandle(file);
  return content;
}

void RemoveFile(const std::string& path) {
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA(path.c_str());
}

std::string WindowsDir() {
  char buffer[MAX_PATH];
  UINT length = ::GetWindowsDirectoryA(buffer, sizeof(buffer));
  return std::string(buffer, length);
}

}  // namespace testing_support
