// The real main dialog, created modeless on the test's thread so that a test can press
// its buttons and read its controls; destroyed with the fixture.
#pragma once
#include <memory>

#include "app/cleanerdlg.h"

namespace testing_support {

class MainDialog {
 public:
  MainDialog();
  ~MainDialog();
  CCleanerDlg& operator*() { return *m_dlg; }
  CCleanerDlg* operator->() { return m_dlg.get(); }

  // Sends the click of button or check box `id` (the automatic state change included).
  void Click(int id);
  int Check(int id) const;
  bool Enabled(int id) const;
  bool Visible(int id) const;
  std::string Text(int id) const;

 private:
  std::unique_ptr<CCleanerDlg> m_dlg;
};

// Pumps the thread's pending messages.
void PumpMessages();
// Pumps the thread's messages until `done` holds, for two seconds at most; false then. The
// answerer answers a dialog from a timer, which a single pump may come too early for.
template <class Done>
bool PumpUntil(Done done) {
  for (DWORD start = ::GetTickCount(); !done(); ::Sleep(1)) {
    if (::GetTickCount() - start > 2000) return false;
    PumpMessages();
  }
  return true;
}

}  // namespace testing_support
