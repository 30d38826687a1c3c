// Real files for the file and companion tests: created in the Wine prefix's Windows tree
// under names no one else uses, and removed again however the test ends. The pauses and
// the attribute command are recorded instead of run.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/system.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"

namespace files_test {

// A name that no earlier test of this run used: `stem` + process id + counter + `suffix`.
std::string UniqueName(const std::string& stem, const std::string& suffix = "");
// The Windows directory, as the program sees it.
std::string WinDir();
// A path in the temporary directory, unique to this run.
std::string TempPath(const std::string& suffix);

// Creates the missing directories of `path` and removes those it created, once empty.
class ScopedDirectory {
 public:
  explicit ScopedDirectory(const std::string& path);
  ~ScopedDirectory();
  ScopedDirectory(const ScopedDirectory&) = delete;
  ScopedDirectory& operator=(const ScopedDirectory&) = delete;

 private:
  std::vector<std::string> m_created;
};

// A file with `content` (its directory created as needed); removed, read-only or not.
class ScopedFile {
 public:
  explicit ScopedFile(std::string path, const std::string& content = "x", DWORD attributes = 0);
  ~ScopedFile();
  ScopedFile(const ScopedFile&) = delete;
  ScopedFile& operator=(const ScopedFile&) = delete;
  const std::string& path() const { return m_path; }
  bool present() const;

 private:
  std::string m_path;
  ScopedDirectory m_directory;
};

// Moves an existing file of the system aside and puts it back at the end.
class ScopedBackup {
 public:
  explicit ScopedBackup(std::string path);
  ~ScopedBackup();
  ScopedBackup(const ScopedBackup&) = delete;
  ScopedBackup& operator=(const ScopedBackup&) = delete;

 private:
  std::string m_path, m_backup;
  bool m_saved = false;
};

// A file of the system that a test needs, written by the test: whatever Wine's set-up put
// there is moved aside and put back at the end.
class SeededFile {
 public:
  explicit SeededFile(const std::string& path) : m_saved(path), m_file(path) {}
  const std::string& path() const { return m_file.path(); }
  bool present() const { return m_file.present(); }

 private:
  ScopedBackup m_saved;
  ScopedFile m_file;
};

// Holds the file open without sharing, as a running program holds its executable, or with
// `share`, as a program that reads it may.
class HeldOpen {
 public:
  explicit HeldOpen(const std::string& path, DWORD share = 0);
  ~HeldOpen();
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;

 private:
  HANDLE m_file;
};

// A copy of tests/helpers/planted.exe at `path`, removed at the end with the marker that a
// run of any copy of that file name leaves.
class PlantedProgram {
 public:
  explicit PlantedProgram(std::string path);
  ~PlantedProgram();
  PlantedProgram(const PlantedProgram&) = delete;
  PlantedProgram& operator=(const PlantedProgram&) = delete;
  const std::string& path() const { return m_path; }
  // The full path of the copy of this file name that ran, waiting up to `timeout` for one
  // to run; empty when none did.
  std::string Ran(DWORD timeout) const;

 private:
  std::string m_path, m_marker;
};

// Records the pauses and the commands started instead of waiting or starting anything.
class RecordedCalls {
 public:
  RecordedCalls();
  ~RecordedCalls();
  RecordedCalls(const RecordedCalls&) = delete;
  RecordedCalls& operator=(const RecordedCalls&) = delete;

  static std::vector<DWORD> sleeps;
  static std::vector<std::string> commands;
  static std::vector<UINT> shows;
  // Records the command and starts it for real.
  static UINT WINAPI RecordAndRun(LPCSTR command, UINT show);

 private:
  platform::ScopedSystem m_restore;
};

// The settings file DrvPurge.ini beside the test program, which is where the dialog reads
// it: written with `content`, or absent with the default constructor; any earlier one is
// put back at the end.
class ProgramSettings {
 public:
  ProgramSettings();
  explicit ProgramSettings(const std::string& content);
  ~ProgramSettings();
  ProgramSettings(const ProgramSettings&) = delete;
  ProgramSettings& operator=(const ProgramSettings&) = delete;
  static std::string Path();

 private:
  ScopedBackup m_saved;
};

// Puts a box of the dialog in `state` without notifying the dialog, as the program's own
// calls do.
void SetBox(testing_support::MainDialog& dialog, int id, int state);

// `size` bytes of every value, zeros included, but no line break: one endless line of
// garbage. The same `seed` gives the same bytes.
std::string Garbage(size_t size, unsigned seed = 12345);

// The real main dialog with an answerer that was up before it: the dialog's own first
// activation takes an empty answer, so that only the boxes and dialogs after it count.
struct AnsweredMain {
  AnsweredMain();
  std::vector<testing_support::SeenDialog> Boxes() const;
  testing_support::DialogAnswerer answerer;
  std::unique_ptr<testing_support::MainDialog> dialog;
};

}  // namespace files_test
