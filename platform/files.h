// File-system access: paths of the system, the presence test, deletion and wildcard search.
#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace platform {

// The Windows directory, without a trailing backslash, however long it is.
std::string WindowsDirectory();
// The system directory (System on Windows 9x, System32 on NT), the same way.
std::string SystemDirectory();
// The full path of this program's executable, however long it is.
std::string ModulePath();
// `path` up to (not including) its last backslash; the whole text when it has none.
std::string DirectoryOf(const std::string& path);

// The presence test: the file opens for reading, as an existing file, with no sharing.
// A file that another program holds open, or that is missing, counts as absent, and so
// does a name that opens a device instead of a file ("NUL", "CON", "COM1" ...). When it
// does not open, `error` receives why (ERROR_FILE_NOT_FOUND for a device name).
bool FileOpensExclusively(const std::string& path, DWORD* error = nullptr);
// True when nothing is at `path`: the file or a folder of its path is missing. A file
// held open, or one that cannot be looked at, is not gone.
bool FileGone(const std::string& path);
// True when a file, not a folder, is at `path`, held open by another program or not.
bool FileThere(const std::string& path);

// DeleteFileA; on failure `error` receives GetLastError().
bool DeleteFile(const std::string& path, DWORD* error = nullptr);
// Deletes the file and tells whether it is gone: deleted now, or not there to begin with.
// A file that will not go (read-only, in use, no rights) is still there: false, and
// `error` receives why.
bool DeleteFileOrFindGone(const std::string& path, DWORD* error = nullptr);
// Clears the file's read-only and hidden attributes and keeps its others; false when
// the file cannot be looked at or changed.
bool ClearReadOnlyAndHidden(const std::string& path);

// The names (without directory) of the files, not folders, matching `pattern` (a directory,
// a backslash and a wildcard), in the file system's order. Only long names count:
// FindFirstFileA also matches the wildcard against each file's 8.3 short name, so that
// "qlvimx*.dll" finds "qlvimx32.dllold" (QLVIMX~1.DLL); such names are left out.
std::vector<std::string> FindFiles(const std::string& pattern);

// Profile (INI) files, read with the system's profile functions; texts are read whole.
UINT ProfileInt(const char* section, const char* key, int defaultValue, const std::string& file);
std::string ProfileString(const char* section, const char* key, const char* defaultValue,
                          const std::string& file);
// The names of the keys of `section`, as the profile functions see them; false when the
// names cannot be read whole (then nothing is known of which keys exist).
bool ProfileKeyNames(const char* section, const std::string& file, std::set<std::string>& names);

}  // namespace platform
