#include "support/dialog_answerer.h"

namespace testing_support {

namespace {
DialogAnswerer* g_current = nullptr;

bool IsDialogWindow(HWND window) {
  char className[16] = "";
  ::GetClassNameA(window, className, sizeof(className));
  return lstrcmpA(className, "#32770") == 0;
}
}  // namespace

std::string WindowText(HWND window) {
  int length = ::GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  length = ::GetWindowTextA(window, &text[0], length + 1);
  text.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return text;
}

void ClickButton(HWND dialog, int id) {
  HWND button = ::GetDlgItem(dialog, id);
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

namespace {
const char kAnswered[] = "DrvPurgeTests.Answered";

BOOL CALLBACK MarkAnswered(HWND window, LPARAM) {
  ::SetPropA(window, kAnswered, reinterpret_cast<HANDLE>(1));
  return TRUE;
}
}  // namespace

DialogAnswerer::DialogAnswerer() {
  // Windows that are up already are the test's own, not ones to answer.
  ::EnumThreadWindows(::GetCurrentThreadId(), &MarkAnswered, 0);
  g_current = this;
  m_hook = ::SetWindowsHookExA(WH_CBT, &DialogAnswerer::Hook, nullptr, ::GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer() {
  if (m_hook) ::UnhookWindowsHookEx(m_hook);
  if (g_current == this) g_current = nullptr;
}

bool DialogAnswerer::Listening() { return g_current != nullptr; }

void DialogAnswerer::Press(int buttonId) {
  m_actions.push_back([buttonId](HWND dialog) { ClickButton(dialog, buttonId); });
}

void DialogAnswerer::Then(Action action) { m_actions.push_back(std::move(action)); }

void DialogAnswerer::First(Action action) { m_actions.push_front(std::move(action)); }

LRESULT CALLBACK DialogAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
  DialogAnswerer* self = g_current;
  if (code == HCBT_ACTIVATE && self && IsDialogWindow(reinterpret_cast<HWND>(wParam)))
    self->OnActivate(reinterpret_cast<HWND>(wParam));
  return ::CallNextHookEx(self ? self->m_hook : nullptr, code, wParam, lParam);
}

void DialogAnswerer::OnActivate(HWND window) {
  // A dialog activates again after a nested box closes: answer each window once.
  if (::GetPropA(window, kAnswered)) return;
  ::SetPropA(window, kAnswered, reinterpret_cast<HANDLE>(1));

  Action action;
  if (!m_actions.empty()) {
    action = std::move(m_actions.front());
    m_actions.pop_front();
  } else {
    ++m_unanswered;
    action = [](HWND dialog) {
      ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
  }
  // Runs the action from the dialog's own message loop, once the dialog is up.
  UINT_PTR timer = ::SetTimer(nullptr, 0, 1, &DialogAnswerer::RunPending);
  m_pending.push_back({timer, window, std::move(action)});
}

// Read once the dialog is up: a message box fills in its text after it activates.
void DialogAnswerer::Record(HWND dialog) {
  SeenDialog seen;
  seen.caption = WindowText(dialog);
  // A message box shows its text in the static control with id 0xFFFF.
  if (HWND text = ::GetDlgItem(dialog, 0xFFFF)) seen.text = WindowText(text);
  // A message box shows its icon in a static icon control (id 20 on Windows, another
  // id under Wine), loaded as a shared system icon.
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    HICON icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
    if (icon == ::LoadIcon(nullptr, IDI_HAND)) seen.icon = MB_ICONSTOP;
    else if (icon == ::LoadIcon(nullptr, IDI_EXCLAMATION)) seen.icon = MB_ICONEXCLAMATION;
    else if (icon == ::LoadIcon(nullptr, IDI_QUESTION)) seen.icon = MB_ICONQUESTION;
    else if (icon == ::LoadIcon(nullptr, IDI_ASTERISK)) seen.icon = MB_ICONINFORMATION;
  }
  m_seen.push_back(seen);
}

void CALLBACK DialogAnswerer::RunPending(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  DialogAnswerer* self = g_current;
  if (!self) return;
  for (size_t i = 0; i < self->m_pending.size(); ++i) {
    if (self->m_pending[i].timer != timer) continue;
    Pending pending = std::move(self->m_pending[i]);
    self->m_pending.erase(self->m_pending.begin() + static_cast<long>(i));
    if (!::IsWindow(pending.dialog)) return;
    self->Record(pending.dialog);
    pending.action(pending.dialog);
    return;
  }
}

}  // namespace testing_support
