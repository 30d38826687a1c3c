#include "e2e/driver.h"

#include <algorithm>
#include <cstring>

namespace e2e {

namespace {
// Long enough for a busy program, short enough that a hung one fails the test quickly.
const UINT kSendTimeout = 3000;

const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\";

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeout,
                               &result) != 0;
}

struct EnumState {
  DWORD processId;
  std::vector<HWND>* windows;
};

// A process id of 0 collects the windows of every process.
BOOL CALLBACK CollectVisible(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if ((state->processId == 0 || owner == state->processId) && ::IsWindowVisible(window))
    state->windows->push_back(window);
  return TRUE;
}

// Keyboard input goes to the window that has the focus in the dialog's thread; the
// dialog itself when the thread reports none.
HWND FocusOf(HWND dialog) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
  if (::GetGUIThreadInfo(thread, &info) && info.hwndFocus &&
      (info.hwndFocus == dialog || ::IsChild(dialog, info.hwndFocus)))
    return info.hwndFocus;
  return dialog;
}

LPARAM KeyData(UINT virtualKey, bool alt, bool release) {
  LPARAM data = 1 | (static_cast<LPARAM>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16);
  if (alt) data |= LPARAM(1) << 29;
  if (release) data |= LPARAM(3) << 30;
  return data;
}
}  // namespace

std::string OwnDirectory() {
  char path[MAX_PATH] = "";
  DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
  return DirectoryOf(std::string(path, length));
}

std::string ProgramPath() { return DirectoryOf(OwnDirectory()) + "\\DrvPurge.exe"; }

std::string FileNameOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SetEmulatedVersion(const std::string& exeName, const std::string& version) {
  const std::string path = kAppDefaults + exeName;
  HKEY key = nullptr;
  if (version.empty()) {
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
      return;
    ::RegDeleteValueA(key, "Version");
  } else {
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
      return;
    ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                     static_cast<DWORD>(version.size() + 1));
  }
  ::RegCloseKey(key);
}

std::string EmulatedVersion(const std::string& exeName) {
  const std::string path = kAppDefaults + exeName;
  char value[64] = "";
  DWORD size = sizeof(value) - 1;
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return "";
  DWORD type = 0;
  LONG status =
      ::RegQueryValueExA(key, "Version", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return "";
  return std::string(value, strnlen(value, size));
}

Program::Program(std::string path) : m_path(std::move(path)) {}

Program::~Program() {
  Kill();
  if (m_output) ::CloseHandle(m_output);
  if (m_info.hThread) ::CloseHandle(m_info.hThread);
  if (m_info.hProcess) ::CloseHandle(m_info.hProcess);
}

bool Program::Launch(const std::string& version, const std::string& arguments) {
  return Start(version, arguments, nullptr);
}

// With `output`, the program's standard output and error go there, the handle inherited.
bool Program::Start(const std::string& version, const std::string& arguments, HANDLE output) {
  if (m_info.hProcess) return false;
  SetEmulatedVersion(FileNameOf(m_path), version);
  std::string commandLine = "\"" + m_path + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  if (output) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
  }
  const std::string directory = DirectoryOf(m_path);
  if (!::CreateProcessA(m_path.c_str(), &commandLine[0], nullptr, nullptr, output != nullptr, 0,
                        nullptr, directory.c_str(), &startup, &m_info)) {
    m_info = {};
    return false;
  }
  return true;
}

bool Program::Running() const {
  return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Program::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (m_info.hProcess) ::GetExitCodeProcess(m_info.hProcess, &code);
  return code;
}

std::vector<HWND> Program::Windows() const {
  std::vector<HWND> windows;
  if (!m_info.hProcess) return windows;
  EnumState state = {m_info.dwProcessId, &windows};
  ::EnumWindows(&CollectVisible, reinterpret_cast<LPARAM>(&state));
  return windows;
}

void Program::Notice() {
  for (HWND window : Windows()) {
    if (std::find(m_seenWindows.begin(), m_seenWindows.end(), window) != m_seenWindows.end())
      continue;
    m_seenWindows.push_back(window);
    m_seenCaptions.push_back(Caption(window));
  }
}

bool Program::WasSeen(const std::string& caption) const {
  return std::find(m_seenCaptions.begin(), m_seenCaptions.end(), caption) != m_seenCaptions.end();
}

HWND Program::WaitForWindow(const std::string& caption, DWORD timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        Notice();
        for (HWND window : Windows())
          if (Caption(window) == caption) found = window;
        return found != nullptr;
      },
      timeout);
  return found;
}

HWND Program::WaitForAnyWindow(DWORD timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        Notice();
        std::vector<HWND> windows = Windows();
        if (!windows.empty()) found = windows.front();
        return found != nullptr;
      },
      timeout);
  return found;
}

bool Program::WaitForWindowGone(HWND window, DWORD timeout) {
  return WaitUntil(
      [&] {
        Notice();
        return !::IsWindow(window) || !::IsWindowVisible(window);
      },
      timeout);
}

bool Program::WaitForExit(DWORD timeout) {
  if (!m_info.hProcess) return false;
  return WaitUntil(
      [&] {
        Notice();
        return ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0;
      },
      timeout);
}

void Program::Kill() {
  if (!Running()) return;
  ::TerminateProcess(m_info.hProcess, 0xDEAD);
  ::WaitForSingleObject(m_info.hProcess, 5000);
}

HWND FindTopLevel(const std::string& caption) {
  std::vector<HWND> windows;
  EnumState state = {0, &windows};
  ::EnumWindows(&CollectVisible, reinterpret_cast<LPARAM>(&state));
  for (HWND window : windows)
    if (Caption(window) == caption) return window;
  return nullptr;
}

HWND WaitForTopLevel(const std::string& caption, DWORD timeout) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopLevel(caption)) != nullptr; }, timeout);
  return found;
}

std::string Caption(HWND window) {
  char text[512] = "";
  int length = ::GetWindowTextA(window, text, sizeof(text));
  return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string Text(HWND window) {
  DWORD_PTR length = 0;
  if (!window || !Send(window, WM_GETTEXTLENGTH, 0, 0, length)) return "";
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), copied)) return "";
  text.resize(std::min<size_t>(copied, length));
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = "";
  int length = ::GetClassNameA(window, name, sizeof(name));
  return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

HWND Control(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

std::string ControlText(HWND dialog, int id) { return Text(Control(dialog, id)); }

int CheckState(HWND dialog, int id) {
  DWORD_PTR state = 0;
  HWND control = Control(dialog, id);
  if (!control || !Send(control, BM_GETCHECK, 0, 0, state)) return -1;
  return static_cast<int>(state);
}

bool IsEnabled(HWND dialog, int id) {
  HWND control = Control(dialog, id);
  return control && ::IsWindowEnabled(control);
}

bool IsVisible(HWND dialog, int id) {
  HWND control = Control(dialog, id);
  return control && ::IsWindowVisible(control);
}

LONG Style(HWND dialog, int id) { return ::GetWindowLongA(Control(dialog, id), GWL_STYLE); }

std::string MessageText(HWND box) { return ControlText(box, 0xFFFF); }

void Click(HWND dialog, int id) { ::PostMessageA(Control(dialog, id), BM_CLICK, 0, 0); }

void Command(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(dialog, id)));
}

void PressKey(HWND dialog, Key key) {
  const UINT virtualKey = key == Key::Enter ? VK_RETURN : VK_ESCAPE;
  HWND target = FocusOf(dialog);
  ::PostMessageA(target, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false, false));
  ::PostMessageA(target, WM_KEYUP, virtualKey, KeyData(virtualKey, false, true));
}

void PressAltF4(HWND dialog) {
  HWND target = FocusOf(dialog);
  ::PostMessageA(target, WM_SYSKEYDOWN, VK_F4, KeyData(VK_F4, true, false));
  ::PostMessageA(target, WM_SYSKEYUP, VK_F4, KeyData(VK_F4, true, true));
}

bool Focus(HWND dialog, int id) {
  HWND control = Control(dialog, id);
  if (!control) return false;
  ::PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  return WaitUntil([&] { return FocusOf(dialog) == control; }, 5000);
}

void Close(HWND window) { ::PostMessageA(window, WM_CLOSE, 0, 0); }

void SysCommand(HWND window, WPARAM id) { ::PostMessageA(window, WM_SYSCOMMAND, id, 0); }

void Answer(HWND box, int id) { Command(box, id); }

int RowCount(HWND list) {
  DWORD_PTR count = 0;
  if (!list || !Send(list, LB_GETCOUNT, 0, 0, count)) return -1;
  return static_cast<int>(static_cast<LRESULT>(count));
}

std::string RowText(HWND list, int row) {
  // Asked for in UTF-16: Wine hands a row of another process's list box to an ANSI
  // LB_GETTEXT in UTF-16 all the same.
  DWORD_PTR length = 0;
  if (!list ||
      !::SendMessageTimeoutW(list, LB_GETTEXTLEN, row, 0, SMTO_ABORTIFHUNG, kSendTimeout,
                             &length) ||
      static_cast<LRESULT>(length) == LB_ERR)
    return "";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, kSendTimeout, &copied) ||
      static_cast<LRESULT>(copied) == LB_ERR)
    return "";
  text.resize(std::min<size_t>(copied, length));
  if (text.empty()) return "";
  std::string ansi(text.size() * 2 + 1, '\0');
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                          &ansi[0], static_cast<int>(ansi.size()), nullptr, nullptr);
  ansi.resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
  return ansi;
}

int FindRow(HWND list, const std::string& text) {
  const int count = RowCount(list);
  for (int row = 0; row < count; ++row)
    if (RowText(list, row) == text) return row;
  return -1;
}

namespace {
// The middle of `row`, `x` pixels from the list's left edge, as a mouse message carries it.
bool RowPoint(HWND list, int row, int x, LPARAM& at) {
  RECT rect = {};
  DWORD_PTR result = 0;
  if (!Send(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect), result) ||
      static_cast<LRESULT>(result) == LB_ERR)
    return false;
  at = MAKELPARAM(x, (rect.top + rect.bottom) / 2);
  return true;
}
}  // namespace

bool PressTick(HWND list, int row) {
  LPARAM at = 0;
  if (!RowPoint(list, row, 10, at)) return false;
  ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageA(list, WM_LBUTTONUP, 0, at);
  return true;
}

bool DoubleClickRow(HWND list, int row) {
  LPARAM at = 0;
  if (!RowPoint(list, row, 20, at)) return false;
  ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageA(list, WM_LBUTTONUP, 0, at);
  ::PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::PostMessageA(list, WM_LBUTTONUP, 0, at);
  return true;
}

}  // namespace e2e
