// Reads what a 32-bit Windows program asks of the system before its first line runs: the
// versions in its PE header and the functions it imports, by DLL.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace release_tests {

struct PeImport {
  std::string dll;       // as the import table names it, e.g. "KERNEL32.dll"
  std::string function;  // the name, or "#N" for an import by ordinal
};

struct PeProgram {
  uint16_t machine = 0;    // 0x14C: i386
  uint16_t magic = 0;      // 0x10B: PE32
  uint16_t osMajor = 0, osMinor = 0;
  uint16_t subsystemMajor = 0, subsystemMinor = 0;
  uint16_t subsystem = 0;  // 2: Windows GUI
  std::vector<PeImport> imports;
};

// False, with `error` saying why, when `path` cannot be read as a 32-bit PE program.
bool ReadPeProgram(const std::string& path, PeProgram& program, std::string& error);

}  // namespace release_tests
