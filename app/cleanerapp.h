// The application: the command line first; without arguments the guidance dialogs, then
// the main dialog; the process ends after it.
#pragma once
#include <string>

#include "framework/app.h"

// What the NT family tells anyone but an administrator.
extern const char kNotAdministrator[];

class CCleanerApp : public fw::CWinApp {
 public:
  BOOL InitInstance() override;
  // Reads `arguments` (the command line after the program's name) and does what they
  // ask: the window, the usage or an unattended run. The process's exit code.
  int Run(const std::string& arguments);
};
