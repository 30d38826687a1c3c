// Three entries of each item with a Detail list, really there on Windows XP: still-image,
// SCSI and USB devices of the maker, INF files named in DrvPurge.ini beside the test
// program, and system files. Wine's own TWAIN files are put aside meanwhile, so that the
// system files' list holds only what was seeded.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "support/registry_fixture.h"

namespace testing_support {

class SeededEntries {
 public:
  SeededEntries();
  ~SeededEntries();
  SeededEntries(const SeededEntries&) = delete;
  SeededEntries& operator=(const SeededEntries&) = delete;

  // Takes every seeded entry away again; the settings file stays.
  void Remove();

 private:
  static std::vector<std::string> DeviceKeys();
  static std::vector<std::string> Files();
  static std::vector<std::string> AsidePaths();

  ScopedRegistry m_registry;
  std::vector<std::string> m_aside;
  std::unique_ptr<std::string> m_savedIni;
};

}  // namespace testing_support
