#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "files/file_fixture.h"
#include "platform/files.h"
#include "platform/text.h"
#include "support/registry_fixture.h"

namespace {

std::string TestsDirectory() { return platform::DirectoryOf(platform::ModulePath()); }

// Runs `exe` with `arguments` and waits for it (bounded); its exit code, or -1.
int RunAndWait(const std::string& exe, const std::string& arguments) {
  std::string command = "\"" + exe + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (::WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
    ::GetExitCodeProcess(process.hProcess, &code);
  else
    ::TerminateProcess(process.hProcess, 1);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

TEST(Paths, AnExecutablePathLongerThan128CharactersIsReadWhole) {
  std::string deep = testing_support::WindowsDir() + "\\temp\\drvpurge-long";
  for (int i = 0; i < 5; ++i) deep += "\\a-rather-long-folder-name-" + std::to_string(i);
  // Longer than the 128 bytes that a fixed buffer would hold, shorter than MAX_PATH.
  ASSERT_GT(deep.size(), 160u);
  testing_support::MakeDirectories(deep);
  const std::string exe = deep + "\\report_paths.exe";
  ASSERT_TRUE(::CopyFileA((TestsDirectory() + "\\report_paths.exe").c_str(), exe.c_str(), FALSE));
  const std::string report = deep + "\\paths.txt";

  ASSERT_EQ(0, RunAndWait(exe, "\"" + report + "\""));
  std::ifstream in(report);
  std::string module, ini, windows;
  std::getline(in, module);
  std::getline(in, ini);
  std::getline(in, windows);
  EXPECT_TRUE(platform::SameTextNoCase(exe, module)) << module;
  EXPECT_EQ(module.substr(0, module.rfind('\\')) + "\\DrvPurge.ini", ini);
  EXPECT_EQ(platform::WindowsDirectory(), windows);
  in.close();
  testing_support::RemoveFile(report);
  testing_support::RemoveFile(exe);
}

// FindFirstFileA matches the wildcard against 8.3 short names too: Windows finds
// "qlvimx32.dllold" (QLVIMX~1.DLL) for "qlvimx*.dll", Wine, whose short names keep four
// letters (DPT2~K0F.DLL), finds "dpt2.dllold" for "dpt*.dll". Only long names of files
// count: a folder is nothing to delete.
TEST(Paths, SearchesKeepOnlyFilesWhoseLongNameMatches) {
  const std::string folder = files_test::TempPath("search");
  files_test::ScopedFile matching(folder + "\\dpt1.dll");
  files_test::ScopedFile longer(folder + "\\dpt2.dllold");
  files_test::ScopedFile maker(folder + "\\qlvimx32.dllold");
  files_test::ScopedDirectory subfolder(folder + "\\dpt3.dll");
  EXPECT_EQ(std::vector<std::string>{"dpt1.dll"}, platform::FindFiles(folder + "\\dpt*.dll"));
  EXPECT_EQ(std::vector<std::string>{}, platform::FindFiles(folder + "\\qlvimx*.dll"));
}

TEST(Paths, DirectoryOfCutsBeforeTheLastBackslash) {
  EXPECT_EQ("C:\\Tools", platform::DirectoryOf("C:\\Tools\\x.exe"));
  EXPECT_EQ("C:", platform::DirectoryOf("C:\\x.exe"));
  EXPECT_EQ("x.exe", platform::DirectoryOf("x.exe"));
}

}  // namespace
