#include <windows.h>

#include "app/cleanerapp.h"

namespace {
CCleanerApp theApp;
}

// The runtime hands over the command line without the program's own name.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  return theApp.Run(arguments ? arguments : "");
}
