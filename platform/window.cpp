#include "platform/window.h"

namespace platform {

HWND FindTopLevelWindow(const char* caption) { return ::FindWindowA(nullptr, caption); }

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                             kAnswerPatience, &answer))
    return 0;
  return static_cast<LRESULT>(answer);
}

}  // namespace platform
