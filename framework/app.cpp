#include "framework/app.h"

#include "framework/dialog.h"
#include "platform/files.h"
#include "platform/text.h"

namespace fw {

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() { g_app = this; }
CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

CWinApp* App() { return g_app; }

HINSTANCE Instance() { return ::GetModuleHandleA(nullptr); }

HWND MainWindow() {
  if (!g_app || !g_app->m_pMainWnd) return nullptr;
  HWND window = g_app->m_pMainWnd->GetSafeHwnd();
  return ::IsWindow(window) ? window : nullptr;
}

std::string AppName() {
  std::string path = platform::ModulePath();
  const size_t slash = platform::LastBackslash(path);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string::size_type dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string LoadString(UINT id) {
  char buffer[1024];
  int length = ::LoadStringA(Instance(), id, buffer, sizeof(buffer));
  return length > 0 ? std::string(buffer, length) : std::string();
}

int AppMessageBox(const std::string& text, UINT type) {
  HWND owner = MainWindow();
  if (!owner) owner = ::GetActiveWindow();
  return ::MessageBoxA(owner, text.c_str(), AppName().c_str(), type);
}

}  // namespace fw
