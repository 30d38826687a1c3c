// Benchmark driver: starts DrvPurge.exe, steps through its guidance dialogs and times what a
// user waits for, from outside the program.
//
//   bench_drive start PROGRAM RUNS VERSION
//       RUNS starts; per start prints "start launch_to_main_ms=.. unplug_next_to_main_ms=.."
//   bench_drive selectall PROGRAM RUNS VERSION
//       one start, then RUNS presses of Select All, each timed until its handler returns;
//       prints the start, each press, the row counts and the process's peak memory
//   bench_drive apply PROGRAM VERSION
//       one start, Select All, then Apply, each timed until its handler returns; the message
//       boxes that Apply shows are answered with OK and named; prints the USB box before and
//       after
//   bench_drive gui PROGRAM VERSION DETAILS TICKS
//       sends TICKS timer ticks and presses Detail DETAILS times (each answered by Escape);
//       prints the program's window count before and after
//
// VERSION is Wine's name of the Windows version to emulate (winxp shows both guidance
// dialogs and reads the NT form of the registry paths).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace {

const char kMainCaption[] = "System Registry Cleaner";
const char kRemoveCaption[] = "Remove The Device From Device Manager...";
const char kUnplugCaption[] = "Unplug The Scanner Device";
const char kDetailCaption[] = "Detail Items";
const int kApply = 1006;
const int kSelectAll = 1012;
const int kSoftwareList = 1013;
const int kDetailUSB = 1027;
const int kCheckUSB = 1026;
const UINT_PTR kMemoryTimer = 100;
const DWORD kPatience = 60000;
const double kApplyPatience = 1800000;  // Apply with one device set per ticked key is slow

double g_tickMs = 0;
double Now() {
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * g_tickMs;
}

struct Search {
  DWORD process;
  const char* caption;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !::IsWindowVisible(window)) return TRUE;
  // For another process's window this reads the caption without sending it a message.
  char text[256] = "";
  ::GetWindowTextA(window, text, sizeof(text));
  if (std::string(text) == search->caption) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND Visible(DWORD process, const char* caption) {
  Search search{process, caption, nullptr};
  ::EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct Count {
  DWORD process;
  long windows;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
  ++reinterpret_cast<Count*>(param)->windows;
  return TRUE;
}

// EnumChildWindows reaches every descendant, not only the children.
BOOL CALLBACK CountWindows(HWND window, LPARAM param) {
  auto* count = reinterpret_cast<Count*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == count->process) {
    ++count->windows;
    ::EnumChildWindows(window, &CountChild, param);
  }
  return TRUE;
}

// Windows of the process, top-level and child.
long WindowCount(DWORD process) {
  Count count{process, 0};
  ::EnumWindows(&CountWindows, reinterpret_cast<LPARAM>(&count));
  return count.windows;
}

class Run {
 public:
  bool Launch(const std::string& program, const std::string& version) {
    const size_t slash = program.find_last_of("\\/");
    e2e::SetEmulatedVersion(e2e::FileNameOf(program), version);
    std::string commandLine = "\"" + program + "\"";
    const std::string directory = slash == std::string::npos ? "." : program.substr(0, slash);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    m_start = Now();
    return ::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            directory.c_str(), &startup, &m_info) != FALSE;
  }

  // Presses Next in each guidance dialog as soon as it shows and waits for the main window.
  bool ReachMain() {
    bool removeDone = false, unplugDone = false;
    for (;;) {
      if (Now() - m_start > kPatience) return false;
      if (HWND main = Visible(m_info.dwProcessId, kMainCaption)) {
        m_main = main;
        m_mainAt = Now();
        return true;
      }
      if (!removeDone) {
        if (HWND remove = Visible(m_info.dwProcessId, kRemoveCaption)) {
          ::PostMessageA(remove, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
          removeDone = true;
        }
      }
      if (!unplugDone) {
        if (HWND unplug = Visible(m_info.dwProcessId, kUnplugCaption)) {
          m_unplugNextAt = Now();
          ::PostMessageA(unplug, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
          unplugDone = true;
        }
      }
      if (::WaitForSingleObject(m_info.hProcess, 1) == WAIT_OBJECT_0) return false;
    }
  }

  double LaunchToMain() const { return m_mainAt - m_start; }
  double UnplugToMain() const { return m_unplugNextAt > 0 ? m_mainAt - m_unplugNextAt : -1; }
  HWND Main() const { return m_main; }
  DWORD Id() const { return m_info.dwProcessId; }

  void PrintMemory() const {
    HANDLE process =
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, m_info.dwProcessId);
    typedef BOOL(WINAPI * Query)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo")));
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (process && query && query(process, &counters, sizeof(counters))) {
      std::printf("memory peak_working_set_kb=%lu peak_pagefile_kb=%lu working_set_kb=%lu\n",
                  static_cast<unsigned long>(counters.PeakWorkingSetSize / 1024),
                  static_cast<unsigned long>(counters.PeakPagefileUsage / 1024),
                  static_cast<unsigned long>(counters.WorkingSetSize / 1024));
    } else {
      std::printf("memory unavailable (error %lu)\n", ::GetLastError());
    }
    if (process) ::CloseHandle(process);
  }

  // Ends the program, if it still runs.
  void Kill() {
    if (m_info.hProcess) {
      ::TerminateProcess(m_info.hProcess, 0);
      ::WaitForSingleObject(m_info.hProcess, 10000);
      ::CloseHandle(m_info.hProcess);
      ::CloseHandle(m_info.hThread);
    }
    m_info = {};
  }

  ~Run() { Kill(); }

 private:
  PROCESS_INFORMATION m_info = {};
  double m_start = 0, m_mainAt = 0, m_unplugNextAt = 0;
  HWND m_main = nullptr;
};

void PrintStart(const Run& run) {
  std::printf("start launch_to_main_ms=%.1f unplug_next_to_main_ms=%.1f\n", run.LaunchToMain(),
              run.UnplugToMain());
}

int Start(const std::string& program, int runs, const std::string& version) {
  for (int i = 0; i < runs; ++i) {
    Run run;
    if (!run.Launch(program, version) || !run.ReachMain()) {
      std::printf("failed: no main window\n");
      return 1;
    }
    PrintStart(run);
    std::fflush(stdout);
  }
  return 0;
}

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 600000, &result))
    return -1;
  return static_cast<LRESULT>(result);
}

int SelectAll(const std::string& program, int runs, const std::string& version) {
  Run run;
  if (!run.Launch(program, version) || !run.ReachMain()) {
    std::printf("failed: no main window\n");
    return 1;
  }
  PrintStart(run);
  HWND main = run.Main();
  HWND button = ::GetDlgItem(main, kSelectAll);
  ::Sleep(200);  // let the first paint and the queue settle
  std::printf("rows_before=%ld\n",
              static_cast<long>(SendTo(::GetDlgItem(main, kSoftwareList), LB_GETCOUNT, 0, 0)));
  for (int i = 0; i < runs; ++i) {
    const double start = Now();
    // The button's own notification, sent: it returns when the handler has returned.
    SendTo(main, WM_COMMAND, MAKEWPARAM(kSelectAll, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    std::printf("selectall_ms=%.1f\n", Now() - start);
    std::fflush(stdout);
  }
  std::printf("rows_after=%ld usb_box=%ld\n",
              static_cast<long>(SendTo(::GetDlgItem(main, kSoftwareList), LB_GETCOUNT, 0, 0)),
              static_cast<long>(SendTo(::GetDlgItem(main, kCheckUSB), BM_GETCHECK, 0, 0)));
  run.PrintMemory();
  return 0;
}

struct Other {
  DWORD process;
  HWND except;
  HWND found;
};

BOOL CALLBACK FindOther(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Other*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || window == search->except || !::IsWindowVisible(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

// A visible top-level window of the process other than `except`: a message box.
HWND OtherWindow(DWORD process, HWND except) {
  Other search{process, except, nullptr};
  ::EnumWindows(&FindOther, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK LongestStatic(HWND child, LPARAM param) {
  auto* text = reinterpret_cast<std::string*>(param);
  char type[16] = "", line[512] = "";
  ::GetClassNameA(child, type, sizeof(type));
  if (lstrcmpiA(type, "Static") == 0 && ::GetWindowTextA(child, line, sizeof(line)) > 0 &&
      std::string(line).size() > text->size())
    *text = line;
  return TRUE;
}

// A message box's text: its longest static control (the id differs between Windows and Wine).
std::string BoxText(HWND box) {
  std::string text;
  ::EnumChildWindows(box, &LongestStatic, reinterpret_cast<LPARAM>(&text));
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

struct ApplyCall {
  HWND main;
  double done;
};

// Apply's notification, sent from a thread of its own: the handler may show message boxes,
// which the driver's main thread answers meanwhile.
DWORD WINAPI SendApply(void* param) {
  auto* call = static_cast<ApplyCall*>(param);
  SendTo(call->main, WM_COMMAND, MAKEWPARAM(kApply, BN_CLICKED),
         reinterpret_cast<LPARAM>(::GetDlgItem(call->main, kApply)));
  call->done = Now();
  return 0;
}

int Apply(const std::string& program, const std::string& version) {
  Run run;
  if (!run.Launch(program, version) || !run.ReachMain()) {
    std::printf("failed: no main window\n");
    return 1;
  }
  PrintStart(run);
  HWND main = run.Main();
  HWND usb = ::GetDlgItem(main, kCheckUSB);
  ::Sleep(200);
  double start = Now();
  SendTo(main, WM_COMMAND, MAKEWPARAM(kSelectAll, BN_CLICKED),
         reinterpret_cast<LPARAM>(::GetDlgItem(main, kSelectAll)));
  std::printf("selectall_ms=%.1f usb_box=%ld\n", Now() - start,
              static_cast<long>(SendTo(usb, BM_GETCHECK, 0, 0)));
  std::fflush(stdout);

  ApplyCall call{main, 0};
  start = Now();
  HANDLE thread = ::CreateThread(nullptr, 0, &SendApply, &call, 0, nullptr);
  double firstBox = 0;
  int boxes = 0;
  HWND answered = nullptr;
  while (thread && ::WaitForSingleObject(thread, 5) == WAIT_TIMEOUT) {
    if (Now() - start > kApplyPatience) {
      std::printf("failed: Apply did not return\n");
      run.Kill();  // and with the program the sent message ends
      ::WaitForSingleObject(thread, INFINITE);
      return 1;
    }
    HWND box = OtherWindow(run.Id(), main);
    if (!box || box == answered) continue;
    if (firstBox == 0) firstBox = Now();
    char caption[128] = "";
    ::GetWindowTextA(box, caption, sizeof(caption));
    std::printf("box caption=\"%s\" text=\"%s\"\n", caption, BoxText(box).c_str());
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    answered = box;
    ++boxes;
  }
  if (thread) ::CloseHandle(thread);
  std::printf("apply_ms=%.1f apply_to_first_box_ms=%.1f boxes=%d usb_box_after=%ld "
              "usb_enabled_after=%d\n",
              call.done - start, firstBox > 0 ? firstBox - start : -1.0, boxes,
              static_cast<long>(SendTo(usb, BM_GETCHECK, 0, 0)), ::IsWindowEnabled(usb) ? 1 : 0);
  run.PrintMemory();
  return 0;
}

// Keyboard input to the window that has the focus in the dialog's thread.
void PressEscape(HWND dialog) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  HWND target = dialog;
  if (::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus &&
      (info.hwndFocus == dialog || ::IsChild(dialog, info.hwndFocus)))
    target = info.hwndFocus;
  const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(VK_ESCAPE, 0)) << 16;
  ::PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 1 | scan);
  ::PostMessageA(target, WM_KEYUP, VK_ESCAPE, 1 | scan | (LPARAM(3) << 30));
}

int Gui(const std::string& program, const std::string& version, int details, int ticks) {
  Run run;
  if (!run.Launch(program, version) || !run.ReachMain()) {
    std::printf("failed: no main window\n");
    return 1;
  }
  HWND main = run.Main();
  auto detailOnce = [&]() -> bool {
    ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(kDetailUSB, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(main, kDetailUSB)));
    const double start = Now();
    HWND detail = nullptr;
    while (!(detail = Visible(run.Id(), kDetailCaption))) {
      if (Now() - start > 10000) return false;
      ::Sleep(1);
    }
    PressEscape(detail);
    while (::IsWindow(detail)) {
      if (Now() - start > 10000) return false;
      ::Sleep(1);
    }
    return true;
  };
  // One of each first: whatever the system caches on first use is then in place.
  if (!detailOnce()) {
    std::printf("failed: Detail did not open or close\n");
    return 1;
  }
  SendTo(main, WM_TIMER, kMemoryTimer, 0);
  const long before = WindowCount(run.Id());
  const double start = Now();
  for (int i = 0; i < ticks; ++i) SendTo(main, WM_TIMER, kMemoryTimer, 0);
  const double ticksDone = Now();
  for (int i = 0; i < details; ++i) {
    if (!detailOnce()) {
      std::printf("failed: Detail run %d did not open or close\n", i);
      return 1;
    }
  }
  const double detailsDone = Now();
  const long after = WindowCount(run.Id());
  std::printf("gui windows_before=%ld windows_after=%ld ticks=%d ticks_ms=%.0f details=%d "
              "details_ms=%.0f\n",
              before, after, ticks, ticksDone - start, details, detailsDone - ticksDone);
  run.PrintMemory();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  g_tickMs = 1000.0 / static_cast<double>(frequency.QuadPart);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "start" && argc > 4) return Start(argv[2], std::atoi(argv[3]), argv[4]);
  if (mode == "selectall" && argc > 4) return SelectAll(argv[2], std::atoi(argv[3]), argv[4]);
  if (mode == "apply" && argc > 3) return Apply(argv[2], argv[3]);
  if (mode == "gui" && argc > 5)
    return Gui(argv[2], argv[3], std::atoi(argv[4]), std::atoi(argv[5]));
  std::fprintf(stderr,
               "usage: bench_drive start PROGRAM RUNS VERSION | selectall PROGRAM RUNS VERSION |"
               " apply PROGRAM VERSION | gui PROGRAM VERSION DETAILS TICKS\n");
  return 64;
}
