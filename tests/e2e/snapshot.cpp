#include "e2e/snapshot.h"

#include <cstdio>

namespace e2e {

std::string Upper(std::string text) {
  if (!text.empty()) ::CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

void Snapshot::Put(const std::string& spelling, const std::string& content) {
  const std::string entry = Upper(spelling);
  m_entries[entry] = content;
  m_spellings[entry] = spelling;
}

std::string Snapshot::Spelling(const std::string& entry) const {
  auto it = m_spellings.find(entry);
  return it == m_spellings.end() ? entry : it->second;
}

void Snapshot::AddRegistry(HKEY root, const std::string& name,
                           const std::vector<std::string>& skip) {
  std::set<std::string> skipped;
  for (const std::string& path : skip) skipped.insert(Upper(path));
  WalkKey(root, name + "\\", skipped, "");
}

void Snapshot::WalkKey(HKEY key, const std::string& path, const std::set<std::string>& skip,
                       const std::string& relative) {
  Put(path, "key");
  DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0, longestData = 0;
  if (::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr,
                         &values, &longestName, &longestData, nullptr,
                         nullptr) != ERROR_SUCCESS) {
    Put(path, "key (unreadable)");
    return;
  }

  std::vector<char> name(longestName + 2);
  std::vector<BYTE> data(longestData + 2);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataLength = static_cast<DWORD>(data.size());
    DWORD type = 0;
    LONG result = ::RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type,
                                  data.data(), &dataLength);
    if (result == ERROR_MORE_DATA) {
      // The value grew since the key was measured: measure again and retry.
      name.resize(name.size() * 2 + 256);
      data.resize(data.size() * 2 + 4096);
      --index;
      continue;
    }
    if (result != ERROR_SUCCESS) break;
    char typeText[16];
    std::snprintf(typeText, sizeof(typeText), "%lu:", static_cast<unsigned long>(type));
    Put(path + ":" + std::string(name.data(), nameLength),
        typeText + std::string(reinterpret_cast<const char*>(data.data()), dataLength));
  }

  char child[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof(child);
    if (::RegEnumKeyExA(key, index, child, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    const std::string childName(child, length);
    const std::string childRelative = relative.empty() ? childName : relative + "\\" + childName;
    if (skip.count(Upper(childRelative))) continue;
    HKEY childKey = nullptr;
    // Opened below its parent's handle: whole paths beyond 260 characters fail in Wine.
    if (::RegOpenKeyExA(key, child, 0, KEY_READ, &childKey) != ERROR_SUCCESS) {
      Put(path + childName + "\\", "key (unopened)");
      continue;
    }
    WalkKey(childKey, path + childName + "\\", skip, childRelative);
    ::RegCloseKey(childKey);
  }
}

void Snapshot::AddFolder(const std::string& folder, bool recursive) {
  Put(folder + "\\", "folder");
  WalkFolder(folder, recursive);
}

void Snapshot::WalkFolder(const std::string& folder, bool recursive) {
  WIN32_FIND_DATAA found = {};
  HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!recursive) continue;
      Put(path + "\\", "folder");
      WalkFolder(path, true);
    } else {
      char content[96];
      std::snprintf(content, sizeof(content), "%lu bytes, written %08lx%08lx",
                    static_cast<unsigned long>(found.nFileSizeLow),
                    static_cast<unsigned long>(found.ftLastWriteTime.dwHighDateTime),
                    static_cast<unsigned long>(found.ftLastWriteTime.dwLowDateTime));
      Put(path, content);
    }
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

Difference Compare(const Snapshot& before, const Snapshot& after) {
  Difference difference;
  for (const auto& entry : before.Entries()) {
    auto it = after.Entries().find(entry.first);
    if (it == after.Entries().end())
      difference.gone.insert(entry.first);
    else if (it->second != entry.second)
      difference.changed.insert(entry.first);
  }
  for (const auto& entry : after.Entries())
    if (!before.Entries().count(entry.first)) difference.added.insert(entry.first);
  return difference;
}

std::set<std::string> Below(const Snapshot& snapshot, const std::string& root) {
  const std::string key = Upper(root);
  std::set<std::string> entries;
  if (key.empty() || key.back() != '\\') {
    if (snapshot.Entries().count(key)) entries.insert(key);
    return entries;
  }
  for (auto it = snapshot.Entries().lower_bound(key);
       it != snapshot.Entries().end() && it->first.compare(0, key.size(), key) == 0; ++it)
    entries.insert(it->first);
  return entries;
}

std::string Describe(const std::set<std::string>& entries, const Snapshot& snapshot) {
  std::string lines;
  for (const std::string& entry : entries) lines += "  " + snapshot.Spelling(entry) + "\n";
  return lines.empty() ? "  (nothing)\n" : lines;
}

}  // namespace e2e
