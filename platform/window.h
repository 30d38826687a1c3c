// Other programs' windows, reached by their caption.
#pragma once
#include <windows.h>

namespace platform {

// A top-level window whose caption is exactly `caption`, of any class; null when none.
HWND FindTopLevelWindow(const char* caption);
// How long a message to another program's window may wait for an answer.
const UINT kAnswerPatience = 5000;

// Sends the message and returns once the window has handled it, or, when the window's
// program does not answer (hung, or busy for longer than kAnswerPatience), without it: a
// hung program must not hang this one. Returns the window's answer, 0 when there was none.
LRESULT SendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

}  // namespace platform
