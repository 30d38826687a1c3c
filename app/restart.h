// Asking Windows to restart, as leaving the main dialog does and as /remove /restart does.
#pragma once
#include <functional>

// Asks for a forced restart at once. With `privilege` (the NT family) the process first
// enables its shutdown privilege, without which ExitWindowsEx fails there. A step that
// fails is handed to `failed` by its call's name ("OpenProcessToken",
// "AdjustTokenPrivileges", "ExitWindowsEx") and the next is still tried. True when
// ExitWindowsEx took the request: the restart then goes on without this program.
bool RequestRestart(bool privilege, const std::function<void(const char* call)>& failed);
