// Shows the busy cursor for the life of the object, also when a file error ends a handler.
#pragma once
#include <windows.h>

namespace fw {

class CWaitCursor {
 public:
  CWaitCursor() : m_previous(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
  ~CWaitCursor() { ::SetCursor(m_previous ? m_previous : ::LoadCursor(nullptr, IDC_ARROW)); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;

 private:
  HCURSOR m_previous;
};

}  // namespace fw
