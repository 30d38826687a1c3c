// The guidance dialogs shown before the main window, and the About box.
#pragma once
#include "framework/dialog.h"

// "Remove The Device From Device Manager...": shown on Windows 2000 and XP only.
class CRemoveDeviceDlg : public fw::CDialog {
 public:
  explicit CRemoveDeviceDlg(HWND parent = nullptr);
  // True once the user pressed Cancel: start-up then ends the program.
  bool Cancelled() const { return m_bCancelled; }

 protected:
  void OnCancel() override;

 private:
  bool m_bCancelled = false;
};

// "Unplug The Scanner Device": shown on every system.
class CUnplugDlg : public fw::CDialog {
 public:
  explicit CUnplugDlg(HWND parent = nullptr);
  bool Cancelled() const { return m_bCancelled; }

 protected:
  void OnCancel() override;

 private:
  bool m_bCancelled = false;
};

class CAboutDlg : public fw::CDialog {
 public:
  CAboutDlg();
};
