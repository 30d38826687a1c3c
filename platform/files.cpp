#include "platform/files.h"

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

std::string ModulePath() {
  return ReadGrowing(
      [](char* buffer, DWORD size) { return ::GetModuleFileNameA(nullptr, buffer, size); });
}

std::string DirectoryOf(const std::string& path) {
  std::string::size_type slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(0, slash);
}

bool FileOpensExclusively(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  // Device names open in every folder; only a file on a disk can be deleted.
  const bool diskFile = ::GetFileType(file) == FILE_TYPE_DISK;
  ::CloseHandle(file);
  return diskFile;
}

bool DeleteFile(const std::string& path, DWORD* error) {
  if (::DeleteFileA(path.c_str())) return true;
  if (error) *error = ::GetLastError();
  return false;
}

std::vector<std::string> FindFiles(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(data.cFileName);
  } while (::FindNextFileA(find, &data));
  ::FindClose(find);
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

}  // namespace platform
