// Real registry keys and files for tests: created through the Win32 API in the throwaway
// Wine prefix and removed again when the test ends.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// Creates `path` below `root` (with its parents) when needed.
void CreateKey(HKEY root, const std::string& path);
void SetString(HKEY root, const std::string& path, const char* name, const std::string& value);
void SetDword(HKEY root, const std::string& path, const char* name, DWORD value);
void SetBinary(HKEY root, const std::string& path, const char* name, const void* data,
               DWORD size, DWORD type = REG_BINARY);
bool KeyPresent(HKEY root, const std::string& path);
bool ValuePresent(HKEY root, const std::string& path, const char* name);
void DeleteTree(HKEY root, const std::string& path);

// Deletes the listed trees below HKEY_LOCAL_MACHINE now and again when it goes out of
// scope, so that every test starts and ends without them.
class ScopedRegistry {
 public:
  explicit ScopedRegistry(std::vector<std::string> paths);
  ~ScopedRegistry();
  ScopedRegistry(const ScopedRegistry&) = delete;
  ScopedRegistry& operator=(const ScopedRegistry&) = delete;

 private:
  void Clean();
  std::vector<std::string> m_paths;
};

// Takes every right to a key from everyone, as the access list of another user's key or
// of the system's may: the key stays, but opens for no right and cannot be deleted. (Wine
// checks such a list on every open that asks for rights; RegOpenKeyA, which asks for the
// most allowed, it opens all the same.) The rights come back when the object goes.
class ScopedLockedKey {
 public:
  ScopedLockedKey(HKEY root, std::string path);
  ~ScopedLockedKey();
  ScopedLockedKey(const ScopedLockedKey&) = delete;
  ScopedLockedKey& operator=(const ScopedLockedKey&) = delete;

 private:
  HKEY m_root;
  std::string m_path;
};

// Gives the key and every key below it the access list that Windows 2000 and XP put on
// their device registrations (HKLM\SYSTEM\CurrentControlSet\Enum and below): full
// control for SYSTEM, reading for everyone else, administrators included, inherited by new
// subkeys. Wine's own registry grants everything; under this list Wine refuses an open
// that asks for more than reading, as Windows does, but still lets SHDeleteKeyA delete.
void GrantEnumAccess(HKEY root, const std::string& path);

// Files.
void WriteFile(const std::string& path, const std::string& content = "x");
bool FilePresent(const std::string& path);
// The whole content of a file, read while another program may still be writing it; empty
// when it cannot be opened.
std::string ReadWholeFile(const std::string& path);
void RemoveFile(const std::string& path);  // clears the read-only attribute first
void MakeDirectories(const std::string& path);
std::string WindowsDir();

}  // namespace testing_support
