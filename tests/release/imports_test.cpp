// The shipped DrvPurge.exe loads on every Windows it is for: it imports only functions that
// Windows 95 and NT 4.0 (each with Internet Explorer 4.0) export, and its PE header asks
// for no later system.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "platform/files.h"
#include "release/pe_imports.h"
#include "release/windows_imports.h"

namespace {

using release_tests::kOldest9x;
using release_tests::kOldestNT;
using release_tests::kWindowsImportCount;
using release_tests::kWindowsImports;
using release_tests::WindowsImport;

// DrvPurge.exe of the same build, one folder above the test programs.
std::string ProgramPath() {
  return platform::DirectoryOf(platform::DirectoryOf(platform::ModulePath())) + "\\DrvPurge.exe";
}

// DLL names compare without regard to case, as the loader compares them.
std::string Key(const std::string& dll, const std::string& function) {
  std::string key = dll;
  for (char& c : key) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
  return key + "!" + function;
}

TEST(ShippedProgram, ImportsOnlyWhatWindows95AndNT4Export) {
  if (sizeof(void*) != 4) GTEST_SKIP() << "the 64-bit developer build is not the program that ships";
  release_tests::PeProgram program;
  std::string error;
  ASSERT_TRUE(release_tests::ReadPeProgram(ProgramPath(), program, error)) << error;
  ASSERT_EQ(0x14C, program.machine) << "the program that ships is the 32-bit (i386) one";

  // A later Windows in the header, or a later subsystem, makes older systems refuse it.
  EXPECT_EQ(2, program.subsystem) << "a Windows GUI program";
  EXPECT_EQ(4, program.osMajor);
  EXPECT_EQ(0, program.osMinor);
  EXPECT_EQ(4, program.subsystemMajor);
  EXPECT_EQ(0, program.subsystemMinor);

  std::map<std::string, const WindowsImport*> table;
  for (int i = 0; i < kWindowsImportCount; ++i) {
    const WindowsImport& row = kWindowsImports[i];
    table[Key(row.dll, row.function)] = &row;
    EXPECT_LE(row.since9x, kOldest9x) << row.function << " needs a later Windows 9x than 95";
    EXPECT_LE(row.sinceNT, kOldestNT) << row.function << " needs a later Windows NT than 4.0";
  }

  ASSERT_FALSE(program.imports.empty());
  for (const release_tests::PeImport& import : program.imports) {
    const auto row = table.find(Key(import.dll, import.function));
    EXPECT_TRUE(row != table.end())
        << import.dll << " " << import.function
        << " is imported but not in tests/release/windows_imports.cpp: find the oldest Windows "
           "that exports it before adding it, or keep it out of the program";
  }
}

bool LastWrite(const std::string& path, FILETIME& time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  time = data.ftLastWriteTime;
  return true;
}

// The check above reads whatever DrvPurge.exe lies in the build folder: one linked before
// the library of the program's sources last changed is not the program these sources make.
TEST(ShippedProgram, IsNoOlderThanTheLibraryItIsLinkedFrom) {
  const std::string library = platform::DirectoryOf(ProgramPath()) + "\\libdrvpurge_core.a";
  FILETIME core, program;
  if (!LastWrite(library, core)) GTEST_SKIP() << "no library beside the program: " << library;
  ASSERT_TRUE(LastWrite(ProgramPath(), program)) << ProgramPath();
  EXPECT_GE(::CompareFileTime(&program, &core), 0)
      << "DrvPurge.exe is older than its sources: build the DrvPurge target";
}

TEST(ShippedProgram, EveryStubOfWindows9xSaysWhyItDoesNoHarm) {
  for (int i = 0; i < kWindowsImportCount; ++i) {
    const WindowsImport& row = kWindowsImports[i];
    EXPECT_TRUE(row.source && *row.source) << row.function << " has no source";
    // A function that Windows 9x only stubs is one the program must not need there.
    if (row.on9x.stub) {
      EXPECT_TRUE(row.on9x.harmless && *row.on9x.harmless)
          << row.function << ": Windows 9x exports it only as a stub that fails; say why that "
                             "does no harm";
    }
    const std::string name = row.function;
    const bool wide = name.size() > 1 && name.back() == 'W' && std::string(row.dll) != "msvcrt.dll";
    if (wide && row.since9x != release_tests::Since9x::Never) {
      EXPECT_TRUE(row.on9x.stub)
          << row.function << ": Windows 9x exports most W functions only as stubs that fail";
    }
  }
}

}  // namespace
