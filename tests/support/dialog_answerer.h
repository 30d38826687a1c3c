// Answers the message boxes and dialogs that the code under test opens on this thread,
// for real: a CBT hook sees each dialog activate, records its caption and text, and runs
// the test's answer (a button to press, or any action on the window).
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct SeenDialog {
  std::string caption;
  std::string text;  // the static text of a message box; empty for other dialogs
  UINT icon = 0;     // MB_ICONSTOP, MB_ICONEXCLAMATION ... as far as it can be told; 0 else
};

class DialogAnswerer {
 public:
  using Action = std::function<void(HWND dialog)>;

  DialogAnswerer();
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  // The next dialog that activates gets this button pressed (IDOK, IDYES, IDNO, ...).
  void Press(int buttonId);
  // The next dialog that activates gets `action`, run once it is up.
  void Then(Action action);
  // `action` goes before every answer queued so far.
  void First(Action action);

  const std::vector<SeenDialog>& Seen() const { return m_seen; }
  // True while an answerer is up on this thread.
  static bool Listening();
  // Dialogs that activated with no answer left; the hook closes them with IDCANCEL.
  int Unanswered() const { return m_unanswered; }

 private:
  struct Pending {
    UINT_PTR timer;
    HWND dialog;
    Action action;
  };
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK RunPending(HWND, UINT, UINT_PTR timer, DWORD);
  void OnActivate(HWND window);
  void Record(HWND dialog);

  HHOOK m_hook = nullptr;
  std::deque<Action> m_actions;
  std::vector<Pending> m_pending;
  std::vector<SeenDialog> m_seen;
  int m_unanswered = 0;
};

// Presses button `id` of `dialog` the way a click does.
void ClickButton(HWND dialog, int id);
// The text of a window.
std::string WindowText(HWND window);

}  // namespace testing_support
