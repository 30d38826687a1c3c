// A stand-in for a product's uninstaller, started by the tests through the product's
// "UninstallString":
//   uninstaller.exe remove|leave <key below HKLM> <marker file> [more arguments...]
// "remove" deletes the key with all its subkeys, "leave" keeps it. Then it writes the
// marker file, one argument a line, so that a test knows it ran and with what.
#include <windows.h>

#include <string>

namespace {

// Deletes `name` below `parent` bottom-up. Keys are reached relative to their parent,
// since a whole path with a 255-character name may be too long for the registry calls.
bool DeleteTree(HKEY parent, const std::string& name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return false;
  char child[256];
  DWORD length = sizeof(child);
  bool progress = true;
  while (progress &&
         ::RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) ==
             ERROR_SUCCESS) {
    progress = DeleteTree(key, std::string(child, length));
    length = sizeof(child);
  }
  ::RegCloseKey(key);
  return ::RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

void RemoveKey(const std::string& path) {
  const size_t slash = path.rfind('\\');
  if (slash == std::string::npos) {
    DeleteTree(HKEY_LOCAL_MACHINE, path);
    return;
  }
  HKEY parent = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.substr(0, slash).c_str(), 0, KEY_ALL_ACCESS,
                      &parent) != ERROR_SUCCESS)
    return;
  DeleteTree(parent, path.substr(slash + 1));
  ::RegCloseKey(parent);
}

bool WriteMarker(const std::string& path, const std::string& content) {
  // Written aside and renamed, so that the test never reads half a marker.
  const std::string partial = path + ".partial";
  HANDLE file = ::CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written,
                              nullptr) &&
                  written == content.size();
  ::CloseHandle(file);
  return ok && ::MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const std::string mode = argv[1];
  if (mode == "remove")
    RemoveKey(argv[2]);
  else if (mode != "leave")
    return 2;
  std::string content;
  for (int i = 1; i < argc; ++i) content += std::string(argv[i]) + "\n";
  return WriteMarker(argv[3], content) ? 0 : 1;
}
