// Drives the real DrvPurge.exe from outside, the way a user at the keyboard would: starts
// it under an emulated Windows version, waits for its windows, reads and presses their
// controls, answers its message boxes and waits for it to end. Every wait is bounded, and
// a program that is still running when its Program object goes away is killed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The longest any single wait may take.
const DWORD kPatience = 15000;

// The directory of this test program, without a trailing backslash.
std::string OwnDirectory();
// DrvPurge.exe of the same build: one directory above the test programs.
std::string ProgramPath();
// The file name part of a path.
std::string FileNameOf(const std::string& path);

// Wine reads HKCU\Software\Wine\AppDefaults\<exe name>\Version when a process starts.
// An empty version removes the value.
void SetEmulatedVersion(const std::string& exeName, const std::string& version);
std::string EmulatedVersion(const std::string& exeName);

// One run of a program.
class Program {
 public:
  explicit Program(std::string path = ProgramPath());
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Writes the emulated version for the program's file name, then starts it with
  // `arguments` after its quoted path on the command line.
  bool Launch(const std::string& version, const std::string& arguments = "");
  // The same, the program's standard output a pipe whose end ReadOutput reads, as a script
  // that captures a command's output starts it.
  bool LaunchPiped(const std::string& version, const std::string& arguments);
  // What the program wrote to that pipe and this side has not read yet; returns at once.
  std::string ReadOutput();
  DWORD Id() const { return m_info.dwProcessId; }
  bool Running() const;
  DWORD ExitCode() const;

  // A visible top-level window of this program with exactly `caption`; null when none
  // appeared within `timeout`.
  HWND WaitForWindow(const std::string& caption, DWORD timeout = kPatience);
  // The first visible top-level window of this program, whatever its caption.
  HWND WaitForAnyWindow(DWORD timeout = kPatience);
  // Waits until `window` is gone or hidden.
  bool WaitForWindowGone(HWND window, DWORD timeout = kPatience);
  // The program's visible top-level windows now.
  std::vector<HWND> Windows() const;
  // True when the program ended within `timeout`.
  bool WaitForExit(DWORD timeout = kPatience);
  // Captions of every visible top-level window noticed while waiting, in order.
  const std::vector<std::string>& Seen() const { return m_seenCaptions; }
  bool WasSeen(const std::string& caption) const;

  void Kill();

 private:
  void Notice();

  bool Start(const std::string& version, const std::string& arguments, HANDLE output);

  std::string m_path;
  PROCESS_INFORMATION m_info = {};
  HANDLE m_output = nullptr;
  std::vector<HWND> m_seenWindows;
  std::vector<std::string> m_seenCaptions;
};

// A visible top-level window of any program with exactly `caption`, now or within
// `timeout`; null when there is none.
HWND FindTopLevel(const std::string& caption);
HWND WaitForTopLevel(const std::string& caption, DWORD timeout = kPatience);

// Reading windows and controls. Messages to the other process are sent with a timeout,
// so a hung program makes a test fail instead of hanging it.
std::string Text(HWND window);
// The caption of a top-level window, read without a message to its program.
std::string Caption(HWND window);
std::string ClassOf(HWND window);
HWND Control(HWND dialog, int id);
std::string ControlText(HWND dialog, int id);
int CheckState(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
bool IsVisible(HWND dialog, int id);
LONG Style(HWND dialog, int id);
// The text of a message box: its static control 0xFFFF.
std::string MessageText(HWND box);

// Acting on windows. Everything is posted: a press that opens a modal window must not
// block the test until that window closes.
void Click(HWND dialog, int id);    // BM_CLICK: toggles an automatic check box as a click does
void Command(HWND dialog, int id);  // WM_COMMAND with BN_CLICKED, as a button sends it
enum class Key { Enter, Escape };
void PressKey(HWND dialog, Key key);  // keyboard input to the window that has the focus
void PressAltF4(HWND dialog);
// Moves the focus to control `id` as the Tab key would; true once it is there.
bool Focus(HWND dialog, int id);
void Close(HWND window);  // WM_CLOSE
void SysCommand(HWND window, WPARAM id);
// Presses a message box's button (IDYES, IDNO, IDOK ...).
void Answer(HWND box, int id);

// List boxes: the number of rows (-1 when the list does not answer), a row's text (for a
// list that keeps its strings), and mouse presses on a row as the user makes them.
int RowCount(HWND list);
std::string RowText(HWND list, int row);
// The first row whose text is exactly `text`; -1 when there is none.
int FindRow(HWND list, const std::string& text);
// A press in the tick column of `row` (the left edge of the row).
bool PressTick(HWND list, int row);
// A double click on `row`: it selects the row and then reports the double click.
bool DoubleClickRow(HWND list, int row);

// Polls `condition` every few milliseconds until it holds or `timeout` passes.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeout = kPatience) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount() - start >= timeout) return false;
    ::Sleep(10);
  }
}

}  // namespace e2e
