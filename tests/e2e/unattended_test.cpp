// DrvPurge from a command line, as a script runs it on each Windows version: its standard
// output a pipe, its whole exit code read when it ends. The registry and the Windows folder
// are pictured around each run.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>

#include "e2e/scenario.h"
#include "e2e/seeded_system.h"
#include "e2e/snapshot.h"
#include "res/resource.h"
#include "support/registry_fixture.h"

namespace e2e {
namespace {

using Lines = std::vector<std::vector<std::string>>;

struct Outcome {
  DWORD code = STILL_ACTIVE;
  std::string output;
  std::vector<std::string> boxes;  // the texts of the message boxes it showed, each answered OK

  // The report's lines, split at tabs.
  Lines lines() const {
    Lines lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::vector<std::string> fields;
      std::istringstream split(line);
      for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
      lines.push_back(fields);
    }
    return lines;
  }
  std::vector<std::string> lastLine() const {
    const Lines all = lines();
    return all.empty() ? std::vector<std::string>() : all.back();
  }
};

Outcome RunCommand(const std::string& version, const std::string& arguments) {
  Outcome outcome;
  Program program;
  if (!program.LaunchPiped(version, arguments)) {
    ADD_FAILURE() << "cannot start DrvPurge.exe " << arguments;
    return outcome;
  }
  const bool ended = WaitUntil(
      [&] {
        outcome.output += program.ReadOutput();
        for (HWND box : program.Windows()) {
          outcome.boxes.push_back(MessageText(box));
          Answer(box, IDOK);
          program.WaitForWindowGone(box);
        }
        return !program.Running();
      },
      60000);
  EXPECT_TRUE(ended) << arguments;
  outcome.output += program.ReadOutput();
  outcome.code = program.ExitCode();
  return outcome;
}

std::string TempFile(const char* name) {
  char folder[MAX_PATH] = "";
  ::GetTempPathA(sizeof(folder), folder);
  return std::string(folder) + name;
}

// The registry and the places where the program deletes files; the report goes elsewhere.
Snapshot Picture() {
  Snapshot picture;
  picture.AddRegistry(HKEY_LOCAL_MACHINE, "HKLM");
  picture.AddRegistry(HKEY_CURRENT_USER, "HKCU", {"Software\\Wine"});
  picture.AddFolder(testing_support::WindowsDir());
  const std::string program = ProgramPath();
  picture.AddFolder(program.substr(0, program.rfind('\\')), false);
  return picture;
}

// What the report's entries name, as the picture's entries: a key with everything below it,
// a value, a file.
std::set<std::string> Named(const Lines& lines, const Snapshot& picture) {
  std::set<std::string> named;
  for (const auto& fields : lines) {
    if (fields.size() < 4) continue;
    std::string path = fields[2];
    if (fields[1] == "key") path += "\\";
    if (fields[1] == "value") path.insert(path.rfind('\\') + 1, ":");
    if (fields[1] != "key" && fields[1] != "value" && fields[1] != "file") continue;
    const std::set<std::string> below = Below(picture, path);
    EXPECT_FALSE(below.empty()) << path << " is named but not there";
    named.insert(below.begin(), below.end());
  }
  return named;
}

class Unattended : public ::testing::TestWithParam<WindowsVersion> {
 protected:
  void SetUp() override {
    SeedTwainFiles();
    ASSERT_TRUE(SeedSystem(GetParam().name));
  }
  void TearDown() override {
    for (auto& companion : companions) companion->Kill();
    ClearSeededSystem();
  }
  // The event manager and the scanner detector, running with their windows hidden.
  void StartCompanions() {
    for (const char* caption : {"Quillmar Event Manager 1.0", "Quillmar Scanner Detector 1.2"}) {
      // Each writes a record file of its own, which it holds open.
      const std::string record = TempFile("unattended-companion") + caption + ".txt";
      companions.emplace_back(new Program(OwnDirectory() + "\\companion.exe"));
      ASSERT_TRUE(companions.back()->Launch("", std::string("\"") + caption + "\" \"" + record + "\""));
      ASSERT_TRUE(WaitUntil([&] { return ::FindWindowA(nullptr, caption) != nullptr; }));
    }
  }

  std::vector<std::unique_ptr<Program>> companions;
};

// /list names what /remove then deletes, to the pipe and to a file alike, and changes
// nothing; /remove deletes exactly that and what Select All and Apply delete in the window
// on the same system (the uninstalls aside).
TEST_P(Unattended, RemoveDeletesWhatListNamesAndWhatSelectAllAndApplyDelete) {
  const char* version = GetParam().name;
  StartCompanions();
  const Snapshot before = Picture();
  const Outcome listed = RunCommand(version, "/list");
  EXPECT_EQ(1u, listed.code);
  const std::string file = TempFile("unattended report.txt");
  EXPECT_EQ(1u, RunCommand(version, "-LIST /report \"" + file + "\"").code);
  EXPECT_EQ(listed.output, testing_support::ReadWholeFile(file));
  testing_support::RemoveFile(file);
  const Difference looked = Compare(before, Picture());
  EXPECT_TRUE(looked.gone.empty() && looked.added.empty() && looked.changed.empty());

  const Outcome removed = RunCommand(version, "/remove");
  EXPECT_EQ(3010u, removed.code);
  EXPECT_TRUE(removed.boxes.empty());
  EXPECT_EQ((std::vector<std::string>{"result", "3010"}), removed.lastLine());
  for (const auto& fields : removed.lines()) {
    if (fields.size() < 5 || fields[1] == "product" || fields[0] == "note") continue;
    EXPECT_TRUE(fields[3] == "removed" || fields[3] == "absent") << fields[2] << " " << fields[3];
  }
  const Difference cleaned = Compare(before, Picture());
  EXPECT_EQ(Named(listed.lines(), before), cleaned.gone);
  EXPECT_TRUE(cleaned.added.empty()) << Describe(cleaned.added, Picture());
  EXPECT_TRUE(cleaned.changed.empty()) << Describe(cleaned.changed, Picture());

  // The same system again, cleaned in the window.
  ClearSeededSystem();
  SeedTwainFiles();
  ASSERT_TRUE(SeedSystem(version));
  const Snapshot again = Picture();
  Program program;
  HWND main = OpenMainDialog(program, GetParam());
  ASSERT_TRUE(main);
  Command(main, IDC_SELECTALL);
  ASSERT_TRUE(WaitUntil([&] { return CheckState(main, IDC_CHK_DETECTOR) == BST_CHECKED; }));
  Command(main, IDC_APPLY);
  ASSERT_TRUE(WaitUntil([&] { return !IsEnabled(main, IDC_CHK_DETECTOR); }, 60000));
  LeaveAnsweringNo(program, main);
  EXPECT_EQ(Compare(again, Picture()).gone, cleaned.gone);
}

// /items usb takes the maker's USB registrations and nothing else; a Windows without the
// USB step says so and changes nothing.
TEST_P(Unattended, ItemsUsbRemovesOnlyTheUsbRegistrations) {
  const std::string version = GetParam().name;
  const bool usb = version != "win95" && version != "win2003";
  const std::string root = version == "win95" || version == "win98" || version == "winme"
                               ? "HKLM\\Enum\\USB\\"
                               : "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\USB\\";
  const Snapshot before = Picture();
  const Outcome run = RunCommand(version, "/remove /items usb");
  EXPECT_EQ(usb ? 3010u : 0u, run.code);
  std::set<std::string> expected;
  for (const char* device : {"Vid_0a3d&Pid_3300\\", "Vid_0a3d&Pid_2400\\"}) {
    const std::set<std::string> below = Below(before, root + device);
    if (usb) expected.insert(below.begin(), below.end());
  }
  const Difference difference = Compare(before, Picture());
  EXPECT_EQ(expected, difference.gone);
  EXPECT_TRUE(difference.added.empty() && difference.changed.empty());
  if (!usb) {
    EXPECT_NE(std::string::npos, run.output.find("usb\titem\tRegistered USB Scanner\tabsent\t"
                                                 "this Windows has no such item\r\n"));
  }
}

// A command line that is not one of the forms shows the usage and ends with 87; so does a
// report that cannot be written, without a box. /? shows the usage and ends with 0.
TEST_P(Unattended, ABadCommandLineOrReportFileEndsWith87AndChangesNothing) {
  const std::string version = GetParam().name;
  const Snapshot before = Picture();
  const Outcome usage = RunCommand(version, "/?");
  EXPECT_EQ(0u, usage.code);
  ASSERT_EQ(1u, usage.boxes.size());
  EXPECT_EQ(0u, usage.boxes[0].find("DrvPurge.exe\topens the window"));
  for (const char* bad : {"/purge", "/remove /items usb,floppy", "/list /restart", "remove"}) {
    const Outcome run = RunCommand(version, bad);
    EXPECT_EQ(87u, run.code) << bad;
    EXPECT_EQ(usage.boxes, run.boxes) << bad;
  }
  const Outcome nowhere = RunCommand(version, "/remove /report C:\\no\\such\\folder\\report.txt");
  EXPECT_EQ(87u, nowhere.code);
  EXPECT_TRUE(nowhere.boxes.empty());
  EXPECT_EQ((std::vector<std::string>{"result", "87"}), nowhere.lastLine());
  const Difference difference = Compare(before, Picture());
  EXPECT_TRUE(difference.gone.empty() && difference.added.empty() && difference.changed.empty())
      << Describe(difference.gone, before);
}

INSTANTIATE_TEST_SUITE_P(Versions, Unattended, ::testing::ValuesIn(Versions()), VersionName);

// A read-only INF file named in the settings file and a read-only event manager stay and are
// reported; the run goes on to the system files, and the code says that something stayed.
class UnattendedStayed : public ::testing::TestWithParam<WindowsVersion> {
 protected:
  void TearDown() override { ClearSeededSystem(); }
};

TEST_P(UnattendedStayed, ReadOnlyFilesAreReportedAndTheRunGoesOn) {
  const std::string program = ProgramPath(), windows = testing_support::WindowsDir();
  const std::string inf = windows + "\\INF\\QlScan.inf";
  const std::string manager = windows + "\\System\\Evmonitr.exe";
  testing_support::WriteFile(program.substr(0, program.rfind('\\')) + "\\DrvPurge.ini",
                             "[INF]\r\nTotal=1\r\n1=QlScan.inf\r\n");
  for (const std::string& file : {inf, manager}) {
    testing_support::WriteFile(file);
    ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  SeedTwainFiles();
  const std::string report = TempFile("unattended-stayed.txt");
  const Outcome run = RunCommand(GetParam().name, "/remove /report " + report);
  EXPECT_EQ(1u, run.code);
  EXPECT_TRUE(run.boxes.empty());
  const std::string text = testing_support::ReadWholeFile(report);
  testing_support::RemoveFile(report);
  for (const std::string& line : {"inf\tfile\t" + inf, "eventmanager\tfile\t" + manager})
    EXPECT_NE(std::string::npos, text.find(line + "\tstayed\ta file is in use or read-only\r\n"));
  EXPECT_TRUE(testing_support::FilePresent(inf));
  EXPECT_FALSE(testing_support::FilePresent(windows + "\\twain_32.dll"));
  EXPECT_EQ(text.size() - 10, text.rfind("result\t1\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Versions, UnattendedStayed,
                         ::testing::Values(Version("win95"), Version("win98"), Version("winme"),
                                           Version("win2k"), Version("winxp")),
                         VersionName);

}  // namespace
}  // namespace e2e
