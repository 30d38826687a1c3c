// A picture of the machine's state that a whole run of the program may touch: every
// registry key and value below the roots asked for, and every file and folder below the
// folders asked for. Two pictures compare into what went, what came and what changed.
#pragma once
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace e2e {

class Snapshot {
 public:
  // `name` is how the root reads in the picture ("HKLM"); `skip` lists subkeys of the
  // root, as relative paths, that are left out with everything below them.
  void AddRegistry(HKEY root, const std::string& name, const std::vector<std::string>& skip = {});
  // Every file and folder below `folder`; `recursive` false takes its own files only.
  void AddFolder(const std::string& folder, bool recursive = true);

  // Entries are keyed by their path in capitals, as Windows compares names:
  //   "HKLM\SOFTWARE\X\"          a key (ends in a backslash)
  //   "HKLM\SOFTWARE\X\:NAME"     a value of that key ("HKLM\...\:" is the default value)
  //   "C:\WINDOWS\INF\"           a folder
  //   "C:\WINDOWS\INF\A.INF"      a file
  // and map to what the entry holds: a value's type and data, a file's size and time.
  const std::map<std::string, std::string>& Entries() const { return m_entries; }
  // The path as the system spells it, for messages.
  std::string Spelling(const std::string& entry) const;

 private:
  void WalkKey(HKEY key, const std::string& path, const std::set<std::string>& skip,
               const std::string& relative);
  void WalkFolder(const std::string& folder, bool recursive);
  void Put(const std::string& spelling, const std::string& content);

  std::map<std::string, std::string> m_entries;
  std::map<std::string, std::string> m_spellings;
};

std::string Upper(std::string text);

// What became of a picture between `before` and `after`.
struct Difference {
  std::set<std::string> gone;     // in before, not in after
  std::set<std::string> added;    // in after, not in before
  std::set<std::string> changed;  // in both, with other content
};
Difference Compare(const Snapshot& before, const Snapshot& after);

// The entries of `snapshot` that a removal of `root` takes: the key, folder or file itself
// and, for a key or folder (a path ending in a backslash), everything below it.
std::set<std::string> Below(const Snapshot& snapshot, const std::string& root);

// Lines for a failure message: each entry of `entries`, spelt as `snapshot` has it.
std::string Describe(const std::set<std::string>& entries, const Snapshot& snapshot);

}  // namespace e2e
