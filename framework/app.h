// The application object and what the whole program shares: its instance, its main
// window (the default owner of dialogs run without a parent) and its message box.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

class CDialog;

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Runs once per process; the process ends when it returns false.
  virtual BOOL InitInstance() = 0;

  CDialog* m_pMainWnd = nullptr;
};

CWinApp* App();
HINSTANCE Instance();
// The window of the application's main dialog while it exists, otherwise null.
HWND MainWindow();

// The executable's file name without its extension.
std::string AppName();
// A string resource of the program; empty when there is none.
std::string LoadString(UINT id);
// The file version of the program's version resource ("1.0.0.1"); empty when it has none.
std::string FileVersion();

// The application's message box: the program's name as caption, owned by the main
// window or, while none is up, by the active window.
int AppMessageBox(const std::string& text, UINT type);

}  // namespace fw
