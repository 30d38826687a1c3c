// A stand-in setupapi.dll that the end-to-end tests plant beside a copy of the program:
// when Windows loads it, it leaves a mark in its own folder.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH] = "";
  std::string mark(path, ::GetModuleFileNameA(self, path, sizeof(path)));
  mark = mark.substr(0, mark.find_last_of('\\') + 1) + "planted-setupapi-loaded.txt";
  HANDLE file = ::CreateFileA(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  return TRUE;
}
