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

std::string FileVersion() {
  HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
  HGLOBAL loaded = found ? ::LoadResource(nullptr, found) : nullptr;
  const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
  if (!data) return std::string();
  // The fixed part follows the resource's key text, DWORD-aligned; its signature finds it.
  const DWORD size = ::SizeofResource(nullptr, found);
  for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += sizeof(DWORD)) {
    const VS_FIXEDFILEINFO* info = reinterpret_cast<const VS_FIXEDFILEINFO*>(data + at);
    if (info->dwSignature != VS_FFI_SIGNATURE) continue;
    char text[64];
    ::wsprintfA(text, "%u.%u.%u.%u", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return text;
  }
  return std::string();
}

int AppMessageBox(const std::string& text, UINT type) {
  HWND owner = MainWindow();
  if (!owner) owner = ::GetActiveWindow();
  return ::MessageBoxA(owner, text.c_str(), AppName().c_str(), type);
}

}  // namespace fw
