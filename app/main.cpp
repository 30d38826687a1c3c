#include <windows.h>

#include "app/cleanerapp.h"

namespace {
CCleanerApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (!theApp.InitInstance()) return 0;
  return 0;
}
