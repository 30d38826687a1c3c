// A control object bound to an existing child window by subclassing. The dialog hands
// the control's own notifications (WM_COMMAND from it, and the owner-draw messages for
// it) back to the object through OnReflect.
#pragma once
#include <windows.h>

namespace fw {

class CControl {
 public:
  CControl() = default;
  virtual ~CControl();
  CControl(const CControl&) = delete;
  CControl& operator=(const CControl&) = delete;

  // Takes over child `id` of `parent`; false when there is no such child or it is bound.
  bool SubclassDlgItem(int id, HWND parent);
  // Gives the window back its own procedure.
  void UnsubclassWindow();

  HWND GetSafeHwnd() const { return m_hWnd; }

  // The bound object of a child window, or null.
  static CControl* FromHandle(HWND window);
  // The bound object that a message the dialog received is about, or null.
  static CControl* FromChildMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  // A notification of this control, reflected from its parent; true when handled.
  virtual bool OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 protected:
  // The control's own messages; true when handled, false for the default processing.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The control's original window procedure.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_hWnd = nullptr;

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  WNDPROC m_oldProc = nullptr;
};

}  // namespace fw
