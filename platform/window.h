// Other programs' windows, reached by their caption.
#pragma once
#include <windows.h>

namespace platform {

// A top-level window whose caption is exactly `caption`, of any class; null when none.
HWND FindTopLevelWindow(const char* caption);
// SendMessageA: returns once the window has handled the message.
LRESULT SendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

}  // namespace platform
