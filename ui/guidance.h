// The guidance dialogs shown before the main window, and the About box.
#pragma once
#include "framework/dialog.h"

// "Remove The Device From Device Manager...": shown on Windows 2000 and XP only.
class CRemoveDeviceDlg : public fw::CDialog {
 public:
  explicit CRemoveDeviceDlg(HWND parent = nullptr);

 protected:
  void OnCancel() override;
};

// "Unplug The Scanner Device": shown on every system.
class CUnplugDlg : public fw::CDialog {
 public:
  explicit CUnplugDlg(HWND parent = nullptr);

 protected:
  void OnCancel() override;
};

class CAboutDlg : public fw::CDialog {
 public:
  CAboutDlg();
};
