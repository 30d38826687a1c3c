#include "framework/control.h"

#include "framework/fileerror.h"

namespace fw {

namespace {
const char kObjectProperty[] = "DrvPurge.Control";
}

CControl::~CControl() { UnsubclassWindow(); }

bool CControl::SubclassDlgItem(int id, HWND parent) {
  HWND window = ::GetDlgItem(parent, id);
  if (!window || FromHandle(window) || m_hWnd) return false;
  m_hWnd = window;
  ::SetPropA(window, kObjectProperty, reinterpret_cast<HANDLE>(this));
  m_oldProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CControl::SubclassProc)));
  return true;
}

void CControl::UnsubclassWindow() {
  if (!m_hWnd) return;
  if (::IsWindow(m_hWnd)) {
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
    ::RemovePropA(m_hWnd, kObjectProperty);
  }
  m_hWnd = nullptr;
  m_oldProc = nullptr;
}

CControl* CControl::FromHandle(HWND window) {
  return window ? reinterpret_cast<CControl*>(::GetPropA(window, kObjectProperty)) : nullptr;
}

CControl* CControl::FromChildMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return FromHandle(reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return draw->CtlType == ODT_MENU ? nullptr : FromHandle(draw->hwndItem);
    }
    case WM_DELETEITEM: {
      const DELETEITEMSTRUCT* item = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
      return FromHandle(item->hwndItem);
    }
    case WM_MEASUREITEM: {
      const MEASUREITEMSTRUCT* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      return measure->CtlType == ODT_MENU ? nullptr
                                          : FromHandle(::GetDlgItem(dialog, measure->CtlID));
    }
    default:
      (void)wParam;
      return nullptr;
  }
}

bool CControl::OnReflect(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool CControl::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CControl::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(m_oldProc, m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CControl* self = FromHandle(window);
  if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window's own procedure has the last message first: Windows' list box sends its
    // WM_DELETEITEM messages from there, and the parent hands them back to this object.
    const LRESULT result = self->Default(message, wParam, lParam);
    self->UnsubclassWindow();
    return result;
  }
  LRESULT result = 0;
  try {
    if (self->OnMessage(message, wParam, lParam, result)) return result;
  } catch (const CFileException& error) {
    ReportFileError(error);
    return 0;
  }
  return self->Default(message, wParam, lParam);
}

}  // namespace fw
