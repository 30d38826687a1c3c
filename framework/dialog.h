// Modal dialogs built from templates. One static dialog procedure finds the object and
// forwards; each dialog class keeps a static message table beside it. The file error is
// caught here, so no exception ever crosses back into USER32. framework/ includes only
// platform/ and the resource ids.
#pragma once
#include <windows.h>

#include <cstddef>

namespace fw {

class CDialog {
 public:
  explicit CDialog(UINT templateId, HWND parent = nullptr);
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Runs the dialog; without a parent the application's main window owns it.
  virtual INT_PTR DoModal();
  // Creates the dialog modeless (tests drive it this way); false when it cannot.
  bool Create();

  HWND GetSafeHwnd() const { return m_hWnd; }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  void EndDialog(INT_PTR result);

  // Sends the command that a click on button `id` sends; lets tests and the
  // framework's callers run a handler the way the user does.
  void SendCommand(int id, UINT code = BN_CLICKED);

 protected:
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // The message table's lookup. True when a handler took the message; false lets the
  // dialog's default processing run.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  HWND m_hWnd = nullptr;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  UINT m_templateId;
  HWND m_parent;
};

// One row of a dialog's message table: a command (WM_COMMAND from control `id` with
// notification `code`) or another message. Handlers of messages return true when they
// handled it, false to let the default processing run.
template <class T>
struct MessageEntry {
  UINT message;
  UINT id;
  UINT code;
  void (T::*command)();
  bool (T::*handler)(WPARAM, LPARAM, LRESULT&);
};

template <class T>
constexpr MessageEntry<T> OnCommand(UINT id, void (T::*command)(), UINT code = BN_CLICKED) {
  return {WM_COMMAND, id, code, command, nullptr};
}

template <class T>
constexpr MessageEntry<T> OnMsg(UINT message, bool (T::*handler)(WPARAM, LPARAM, LRESULT&)) {
  return {message, 0, 0, nullptr, handler};
}

template <class T, size_t N>
bool DispatchTable(T* self, const MessageEntry<T> (&table)[N], UINT message, WPARAM wParam,
                   LPARAM lParam, LRESULT& result) {
  for (const MessageEntry<T>& entry : table) {
    if (entry.message != message) continue;
    if (message == WM_COMMAND) {
      if (LOWORD(wParam) != entry.id || HIWORD(wParam) != entry.code) continue;
      (self->*entry.command)();
      result = 0;
      return true;
    }
    return (self->*entry.handler)(wParam, lParam, result);
  }
  return false;
}

}  // namespace fw
