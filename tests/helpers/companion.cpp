// Stands in for a companion program: a top-level window with the caption given on the
// command line that writes the close and destroy messages it gets, one line each, to its
// own record file. It never ends by itself; the test that started it terminates it.
// Usage: companion "<caption>" "<record file>"
#include <windows.h>

namespace {
HANDLE g_record = INVALID_HANDLE_VALUE;

void Record(const char* line) {
  DWORD written = 0;
  ::WriteFile(g_record, line, static_cast<DWORD>(lstrlenA(line)), &written, nullptr);
  ::WriteFile(g_record, "\r\n", 2, &written, nullptr);
  // The test reads the record as soon as its SendMessage returns.
  ::FlushFileBuffers(g_record);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Recorded only; the window stays, so that every message that arrives can be seen.
  switch (message) {
    case WM_CLOSE:
      Record("WM_CLOSE");
      return 0;
    case WM_DESTROY:
      Record("WM_DESTROY");
      return 0;
    case WM_NCDESTROY:
      Record("WM_NCDESTROY");
      return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  g_record = ::CreateFileA(argv[2], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (g_record == INVALID_HANDLE_VALUE) return 3;

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "DrvPurgeTestCompanion";
  if (!::RegisterClassA(&windowClass)) return 4;
  HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
  if (!window) return 5;

  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return 0;
}
