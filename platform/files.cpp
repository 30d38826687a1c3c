#include "platform/files.h"

#include "platform/system.h"
#include "platform/text.h"

namespace platform {

namespace {
// Calls `get(buffer, size)` with ever larger buffers until the answer fits.
template <class Get>
std::string ReadGrowing(Get get) {
  std::string buffer(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD length = get(&buffer[0], static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size() - 1) {
      buffer.resize(length);
      return buffer;
    }
    buffer.assign(buffer.size() * 2, '\0');
  }
  return std::string();
}
}  // namespace

std::string WindowsDirectory() {
  return ReadGrowing([](char* buffer, DWORD size) { return ::GetWindowsDirectoryA(buffer, size); });
}

std::string SystemDirectory() {
  return ReadGrowing([](char* buffer, DWORD size) { return ::GetSystemDirectoryA(buffer, size); });
}

std::string ModulePath() {
  return ReadGrowing(
      [](char* buffer, DWORD size) { return ::GetModuleFileNameA(nullptr, buffer, size); });
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = LastBackslash(path);
  return slash == std::string::npos ? path : path.substr(0, slash);
}

bool FileOpensExclusively(const std::string& path, DWORD* error) {
  const OwnedHandle file(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    if (error) *error = ::GetLastError();
    return false;
  }
  // Device names (NUL, AUX, COM1, also with an extension) open in every folder: no file.
  if (::GetFileType(file.Get()) == FILE_TYPE_DISK) return true;
  if (error) *error = ERROR_FILE_NOT_FOUND;
  return false;
}

namespace {
bool NotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }
}  // namespace

bool FileGone(const std::string& path) {
  // Attributes are read without opening the file, so a file held open is still seen.
  return ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES && NotFound(::GetLastError());
}

bool FileThere(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFile(const std::string& path, DWORD* error) {
  if (::DeleteFileA(path.c_str())) return true;
  if (error) *error = ::GetLastError();
  return false;
}

bool DeleteFileOrFindGone(const std::string& path, DWORD* error) {
  DWORD failure = 0;
  if (DeleteFile(path, &failure) || NotFound(failure)) return true;
  if (error) *error = failure;
  return false;
}

bool ClearReadOnlyAndHidden(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  const DWORD kept = attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  if (kept == attributes) return true;
  // FILE_ATTRIBUTE_NORMAL stands for "none" and is valid only alone.
  return ::SetFileAttributesA(path.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

namespace {
// A search handle, closed with FindClose however the search ends (a name that does not
// fit in memory throws).
class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : m_handle(handle) {}
  ~FindHandle() {
    if (Valid()) ::FindClose(m_handle);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool Valid() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }

 private:
  HANDLE m_handle;
};
}  // namespace

std::vector<std::string> FindFiles(const std::string& pattern) {
  std::vector<std::string> names;
  const size_t slash = LastBackslash(pattern);
  const std::string wildcard = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  WIN32_FIND_DATAA data;
  const FindHandle find(::FindFirstFileA(pattern.c_str(), &data));
  if (!find.Valid()) return names;
  do {
    const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!folder && MatchesWildcard(data.cFileName, wildcard)) names.push_back(data.cFileName);
  } while (::FindNextFileA(find.Get(), &data));
  return names;
}

UINT ProfileInt(const char* section, const char* key, int defaultValue, const std::string& file) {
  return ::GetPrivateProfileIntA(section, key, defaultValue, file.c_str());
}

std::string ProfileString(const char* section, const char* key, const char* defaultValue,
                          const std::string& file) {
  return ReadGrowing([&](char* buffer, DWORD size) {
    DWORD length =
        ::GetPrivateProfileStringA(section, key, defaultValue, buffer, size, file.c_str());
    // An empty text and a failure both come back as 0: both mean "nothing".
    return length;
  });
}

bool ProfileKeyNames(const char* section, const std::string& file, std::set<std::string>& names) {
  names.clear();
  // The names come as one block of zero-terminated texts; a block that did not fit comes
  // back cut, its length then being the buffer size less two.
  for (DWORD size = 4096; size <= (64u << 20); size *= 2) {
    std::string buffer(size, '\0');
    const DWORD length =
        ::GetPrivateProfileStringA(section, nullptr, "", &buffer[0], size, file.c_str());
    if (length + 2 >= size) continue;
    for (size_t at = 0; at < length;) {
      const size_t end = buffer.find('\0', at);
      if (end == std::string::npos || end > length) break;
      if (end > at) names.insert(buffer.substr(at, end - at));
      at = end + 1;
    }
    return true;
  }
  return false;
}

}  // namespace platform
