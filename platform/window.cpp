#include "platform/window.h"

namespace platform {

HWND FindTopLevelWindow(const char* caption) { return ::FindWindowA(nullptr, caption); }

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(window, message, wParam, lParam);
}

}  // namespace platform
