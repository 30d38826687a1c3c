// The application: the guidance dialogs, then the main dialog; the process ends after it.
#pragma once
#include "framework/app.h"

class CCleanerApp : public fw::CWinApp {
 public:
  BOOL InitInstance() override;
};
