#include "e2e/modes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/driver.h"
// After windows.h, which the driver brings in.
#include <tlhelp32.h>

#include "e2e/scenario.h"
#include "res/resource.h"

namespace e2e {

const char kSuiteSessionMarker[] = "DrvPurgeE2E.SuiteSession";

namespace {

struct Step {
  std::string verb, caption;
  int id = 0;
};

// VERB:CAPTION or VERB:CAPTION:ID. A caption may hold colons; the id is the part after the
// last one when that part is a number.
Step ParseStep(const std::string& text) {
  Step step;
  size_t colon = text.find(':');
  step.verb = text.substr(0, colon);
  if (colon == std::string::npos) return step;
  step.caption = text.substr(colon + 1);
  size_t last = step.caption.rfind(':');
  if (last != std::string::npos && last + 1 < step.caption.size() &&
      step.caption.find_first_not_of("0123456789", last + 1) == std::string::npos) {
    step.id = std::atoi(step.caption.c_str() + last + 1);
    step.caption.resize(last);
  }
  return step;
}

// wait:C      until a visible window captioned C exists
// gone:C      until none does
// next:C      presses OK (Next) in C and waits until it is gone
// click:C:ID  clicks control ID of C          command:C:ID  sends C the command ID
// syscommand:C:ID  chooses system-menu command ID of C
// close:C     closes C                        rect:C  prints C's place as WxH+X+Y
// sleep:MS    waits MS milliseconds        dblclick:C:ID  double-clicks the first row of list ID
bool RunStep(const Step& step) {
  if (step.verb == "sleep") {
    ::Sleep(static_cast<DWORD>(std::atoi(step.caption.c_str())));
    return true;
  }
  if (step.verb == "gone") return WaitUntil([&] { return FindTopLevel(step.caption) == nullptr; });
  HWND window = WaitForTopLevel(step.caption);
  if (!window) return false;
  if (step.verb == "wait") return true;
  if (step.verb == "next") {
    Command(window, IDOK);
    return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); });
  }
  if (step.verb == "click") {
    if (!Control(window, step.id)) return false;
    Click(window, step.id);
    return true;
  }
  if (step.verb == "command") {
    Command(window, step.id);
    return true;
  }
  if (step.verb == "dblclick") return DoubleClickRow(Control(window, step.id), 0);
  if (step.verb == "syscommand") {
    SysCommand(window, static_cast<WPARAM>(step.id));
    return true;
  }
  if (step.verb == "close") {
    Close(window);
    return true;
  }
  if (step.verb == "rect") {
    RECT rect;
    if (!::GetWindowRect(window, &rect)) return false;
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                rect.top);
    std::fflush(stdout);
    return true;
  }
  std::fprintf(stderr, "unknown step verb \"%s\"\n", step.verb.c_str());
  return false;
}

int Drive(int argc, char** argv) {
  for (int i = 0; i < argc; ++i) {
    if (!RunStep(ParseStep(argv[i]))) {
      std::fprintf(stderr, "step failed: %s\n", argv[i]);
      return 2;
    }
  }
  return 0;
}

// Appends one line to the report at once, so that it survives the end of this process.
class Report {
 public:
  explicit Report(std::string path) : m_path(std::move(path)) {}
  void Line(const std::string& text) const {
    HANDLE file = ::CreateFileA(m_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string line = text + "\n";
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::FlushFileBuffers(file);
    ::CloseHandle(file);
  }

 private:
  std::string m_path;
};

std::string Escape(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\n')
      escaped += "\\n";
    else if (c == '\r')
      escaped += "\\r";
    else
      escaped += c;
  }
  return escaped;
}

// A forced restart under Wine ends every process of the session, this one included, so
// whatever is seen is written down the moment it is seen.
int RestartYes(int argc, char** argv) {
  if (argc < 2) return 64;
  const Report report(argv[1]);
  HANDLE marker = ::OpenEventA(SYNCHRONIZE, FALSE, kSuiteSessionMarker);
  if (marker) {
    ::CloseHandle(marker);
    report.Line("refused: this is the test suite's own session");
    return 3;
  }
  const WindowsVersion& version = Version(argv[0]);

  // Another program of the session that would never end by itself.
  Program bystander;
  if (!bystander.Launch(version.name) || !bystander.WaitForAnyWindow()) {
    report.Line("failed: no bystander");
    return 1;
  }
  report.Line("bystander: " + Text(bystander.WaitForAnyWindow()));

  Program program;
  std::string error;
  HWND main = WalkToMainDialog(program, version, error);
  if (!main) {
    report.Line("failed: " + error);
    return 1;
  }
  Command(main, IDC_APPLY);
  Click(main, IDOK);
  HWND prompt = program.WaitForWindow(kRestartCaption);
  if (!prompt) {
    report.Line("failed: no prompt");
    return 1;
  }
  report.Line("prompt caption: " + Text(prompt));
  report.Line("prompt text: " + Escape(MessageText(prompt)));
  Answer(prompt, IDYES);
  report.Line("answered: yes");

  bool programEnded = false, bystanderEnded = false;
  std::vector<HWND> answered;
  WaitUntil(
      [&] {
        for (HWND window : program.Windows()) {
          if (window == main || window == prompt || ClassOf(window) != "#32770") continue;
          if (std::find(answered.begin(), answered.end(), window) != answered.end()) continue;
          answered.push_back(window);
          report.Line("box: " + Text(window) + ": " + Escape(MessageText(window)));
          Answer(window, IDOK);
        }
        if (!programEnded && !program.Running()) {
          programEnded = true;
          report.Line("ended: program");
        }
        if (!bystanderEnded && !bystander.Running()) {
          bystanderEnded = true;
          report.Line("ended: bystander");
        }
        return false;
      },
      20000);
  report.Line("survived");
  return 1;
}

int Census(int argc, char** argv) {
  if (argc < 1) return 64;
  const Report report(argv[0]);
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) {
    report.Line("failed: no snapshot");
    return 1;
  }
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32First(snapshot, &entry); more;
       more = ::Process32Next(snapshot, &entry))
    if (entry.th32ProcessID != ::GetCurrentProcessId())
      report.Line(std::string("process: ") + entry.szExeFile);
  ::CloseHandle(snapshot);
  report.Line("census done");
  return 0;
}

}  // namespace

int RunMode(const char* name, int argc, char** argv) {
  const std::string mode = name;
  if (mode == "drive") return Drive(argc, argv);
  if (mode == "restart-yes") return RestartYes(argc, argv);
  if (mode == "census") return Census(argc, argv);
  std::fprintf(stderr, "unknown mode \"%s\"\n", name);
  return 64;
}

}  // namespace e2e
