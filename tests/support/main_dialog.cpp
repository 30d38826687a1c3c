#include "support/main_dialog.h"

#include <gtest/gtest.h>

#include "support/dialog_answerer.h"

namespace testing_support {

MainDialog::MainDialog() : m_dlg(new CCleanerDlg) { m_dlg->Create(); }

MainDialog::~MainDialog() {
  if (HWND window = m_dlg->GetSafeHwnd()) ::DestroyWindow(window);
  PumpMessages();
}

void MainDialog::Click(int id) {
  // Without an answerer an unexpected box would wait for ever: one closes it, and fails.
  std::unique_ptr<DialogAnswerer> guard(DialogAnswerer::Listening() ? nullptr : new DialogAnswerer);
  // BM_CLICK makes the button change its own state and notify the dialog, as a click does.
  ::SendMessageA(m_dlg->GetDlgItem(id), BM_CLICK, 0, 0);
  for (const SeenDialog& box : guard ? guard->Seen() : std::vector<SeenDialog>())
    ADD_FAILURE() << "unexpected box: " << box.text;
}

int MainDialog::Check(int id) const {
  return static_cast<int>(::SendMessageA(m_dlg->GetDlgItem(id), BM_GETCHECK, 0, 0));
}

bool MainDialog::Enabled(int id) const { return ::IsWindowEnabled(m_dlg->GetDlgItem(id)) != FALSE; }

bool MainDialog::Visible(int id) const {
  return (::GetWindowLongA(m_dlg->GetDlgItem(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string MainDialog::Text(int id) const { return WindowText(m_dlg->GetDlgItem(id)); }

void PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

}  // namespace testing_support
