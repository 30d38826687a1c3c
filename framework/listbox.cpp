#include "framework/listbox.h"

#include <vector>

namespace fw {

int CListBox::AddString(const char* text) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CListBox::AddItemData(LPARAM data) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_ADDSTRING, 0, data));
}

int CListBox::DeleteString(int index) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_DELETESTRING, index, 0));
}

void CListBox::ResetContent() { ::SendMessageA(m_hWnd, LB_RESETCONTENT, 0, 0); }

int CListBox::GetCount() const {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0));
}

int CListBox::GetCurSel() const {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0));
}

int CListBox::SetCurSel(int index) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_SETCURSEL, index, 0));
}

std::string CListBox::GetText(int index) const {
  LRESULT length = ::SendMessageA(m_hWnd, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied =
      ::SendMessageA(m_hWnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
  if (copied == LB_ERR) return std::string();
  return std::string(buffer.data(), static_cast<size_t>(copied));
}

LPARAM CListBox::GetItemData(int index) const {
  return static_cast<LPARAM>(::SendMessageA(m_hWnd, LB_GETITEMDATA, index, 0));
}

bool CListBox::GetItemRect(int index, RECT& rect) const {
  return ::SendMessageA(m_hWnd, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != LB_ERR;
}

bool CListBox::OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      result = TRUE;
      return true;
    case WM_MEASUREITEM:
      MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      result = TRUE;
      return true;
    case WM_DELETEITEM:
      DeleteItem(*reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
      result = TRUE;
      return true;
    case WM_COMMAND:
      result = 0;
      return OnNotify(HIWORD(wParam));
    default:
      return false;
  }
}

}  // namespace fw
