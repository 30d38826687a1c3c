#include <gtest/gtest.h>

#include <vector>

#include "app/cleanerdlg.h"
#include "framework/app.h"
#include "platform/system.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/version_fake.h"

using testing_support::ClickButton;
using testing_support::DialogAnswerer;
using testing_support::FakeWindowsVersion;
using testing_support::Windows;

namespace {

const char kPrompt[] =
    "System is cleaned, you must restart Windows to apply the DrvPurge.\n\n"
    "Would you want to restart the computer now?";

// What the shutdown calls were asked, and what they answer.
struct Shutdown {
  std::vector<UINT> exitFlags;
  int tokenOpens = 0, adjusts = 0;
  bool tokenFails = false, adjustFails = false, exitFails = false;
  DWORD adjustedAttributes = 0;
} g_shutdown;

BOOL WINAPI FakeExitWindows(UINT flags, DWORD) {
  g_shutdown.exitFlags.push_back(flags);
  return !g_shutdown.exitFails;
}
BOOL WINAPI FakeOpenToken(HANDLE, DWORD access, PHANDLE token) {
  ++g_shutdown.tokenOpens;
  if (g_shutdown.tokenFails || access != (TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY)) return FALSE;
  // A real handle, so that closing it is honest.
  return ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(),
                           token, 0, FALSE, DUPLICATE_SAME_ACCESS);
}
BOOL WINAPI FakeAdjust(HANDLE, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD, PTOKEN_PRIVILEGES,
                       PDWORD) {
  ++g_shutdown.adjusts;
  if (!disableAll && state && state->PrivilegeCount == 1)
    g_shutdown.adjustedAttributes = state->Privileges[0].Attributes;
  ::SetLastError(g_shutdown.adjustFails ? ERROR_NOT_ALL_ASSIGNED : ERROR_SUCCESS);
  return TRUE;
}

class Leaving : public ::testing::Test {
 protected:
  void SetUp() override {
    g_shutdown = Shutdown();
    platform::System().ExitWindowsEx = &FakeExitWindows;
    platform::System().OpenProcessToken = &FakeOpenToken;
    platform::System().AdjustTokenPrivileges = &FakeAdjust;
  }

  // Runs the main dialog modally; `drive` acts on it once it is up, and the dialogs that
  // follow get the answers already queued on `answers`.
  INT_PTR Run(DialogAnswerer& answers, std::function<void(HWND)> drive) {
    CCleanerDlg dlg;
    answers.First(std::move(drive));
    return dlg.DoModal();
  }

  platform::ScopedSystem m_restore;
};

void Post(HWND dialog, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  ::PostMessageA(dialog, message, wParam, lParam);
}

TEST_F(Leaving, WithoutApplyNoWayOfLeavingPrompts) {
  struct Way {
    const char* name;
    std::function<void(HWND)> leave;
    INT_PTR result;
  } ways[] = {
      {"Exit", [](HWND d) { ClickButton(d, IDOK); }, IDOK},
      {"Cancel", [](HWND d) { ClickButton(d, IDCANCEL); }, IDCANCEL},
      {"close box", [](HWND d) { Post(d, WM_CLOSE); }, IDCANCEL},
      {"system menu Close", [](HWND d) { Post(d, WM_SYSCOMMAND, SC_CLOSE); }, IDCANCEL},
  };
  for (auto& way : ways) {
    DialogAnswerer answers;
    EXPECT_EQ(way.result, Run(answers, way.leave)) << way.name;
    EXPECT_EQ(1u, answers.Seen().size()) << way.name;  // the main dialog alone
    EXPECT_TRUE(g_shutdown.exitFlags.empty()) << way.name;
  }
}

TEST_F(Leaving, AfterApplyExitAndCloseBoxPromptAndNoEnds) {
  FakeWindowsVersion version(Windows::Win98);
  for (bool viaClose : {false, true}) {
    DialogAnswerer answers;
    answers.Press(IDNO);
    INT_PTR result = Run(answers, [viaClose](HWND d) {
      ClickButton(d, IDC_APPLY);
      if (viaClose)
        Post(d, WM_CLOSE);
      else
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(viaClose ? IDCANCEL : IDOK, result);
    ASSERT_EQ(2u, answers.Seen().size());
    EXPECT_EQ("Restart Windows", answers.Seen()[1].caption);
    EXPECT_EQ(kPrompt, answers.Seen()[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), answers.Seen()[1].icon);
    EXPECT_TRUE(g_shutdown.exitFlags.empty());
  }
}

TEST_F(Leaving, CancelAfterApplyAndSelectAllAfterApplyDoNotPrompt) {
  {
    DialogAnswerer answers;
    Run(answers, [](HWND d) {
      ClickButton(d, IDC_APPLY);
      ClickButton(d, IDCANCEL);
    });
    EXPECT_EQ(1u, answers.Seen().size());
  }
  {
    DialogAnswerer answers;
    Run(answers, [](HWND d) {
      ClickButton(d, IDC_APPLY);
      ClickButton(d, IDC_SELECTALL);
      ClickButton(d, IDOK);
    });
    EXPECT_EQ(1u, answers.Seen().size());
  }
}

// NT 4.0 with Service Pack 6 reports a workstation product type, which counts as an NT 5
// family system and takes the privilege step; earlier NT 4.0 does not.
TEST_F(Leaving, YesOnWindows9xAndEarlyNt4RebootsWithoutPrivilegeStep) {
  for (Windows system : {Windows::Win98, Windows::Nt40Basic}) {
    FakeWindowsVersion version(system);
    g_shutdown = Shutdown();
    g_shutdown.exitFails = true;  // a refusal is not reported here
    DialogAnswerer answers;
    answers.Press(IDYES);
    Run(answers, [](HWND d) {
      ClickButton(d, IDC_APPLY);
      ClickButton(d, IDOK);
    });
    ASSERT_EQ(1u, g_shutdown.exitFlags.size());
    EXPECT_EQ(static_cast<UINT>(EWX_REBOOT | EWX_FORCE), g_shutdown.exitFlags[0]);
    EXPECT_EQ(0, g_shutdown.tokenOpens);
    EXPECT_EQ(2u, answers.Seen().size());  // the dialog and the prompt, no error
  }
}

TEST_F(Leaving, YesOnNt5EnablesTheShutdownPrivilegeFirst) {
  FakeWindowsVersion version(Windows::WinXp);
  DialogAnswerer answers;
  answers.Press(IDYES);
  Run(answers, [](HWND d) {
    ClickButton(d, IDC_APPLY);
    Post(d, WM_CLOSE);
  });
  EXPECT_EQ(1, g_shutdown.tokenOpens);
  EXPECT_EQ(1, g_shutdown.adjusts);
  EXPECT_EQ(static_cast<DWORD>(SE_PRIVILEGE_ENABLED), g_shutdown.adjustedAttributes);
  ASSERT_EQ(1u, g_shutdown.exitFlags.size());
  EXPECT_EQ(static_cast<UINT>(EWX_REBOOT | EWX_FORCE), g_shutdown.exitFlags[0]);
  EXPECT_EQ(2u, answers.Seen().size());
}

TEST_F(Leaving, EachFailingRestartStepIsReportedAndTheNextStillTried) {
  FakeWindowsVersion version(Windows::Win2000);
  g_shutdown.tokenFails = true;
  g_shutdown.adjustFails = true;
  g_shutdown.exitFails = true;
  DialogAnswerer answers;
  answers.Press(IDYES);
  answers.Press(IDOK);
  answers.Press(IDOK);
  answers.Press(IDOK);
  Run(answers, [](HWND d) {
    ClickButton(d, IDC_APPLY);
    ClickButton(d, IDOK);
  });
  ASSERT_EQ(5u, answers.Seen().size());
  const char* messages[] = {"Error: OpenProcessToken", "Error: AdjustTokenPrivileges",
                            "Error: ExitWindowsEx"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(messages[i], answers.Seen()[2 + i].text);
    EXPECT_EQ(fw::AppName(), answers.Seen()[2 + i].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), answers.Seen()[2 + i].icon);
  }
  EXPECT_EQ(1u, g_shutdown.exitFlags.size());
}

// Select All forgets the cleaning run, but not a restart that Windows asked for.
TEST_F(Leaving, ARestartWindowsAskedForIsOfferedOnceEvenAfterSelectAll) {
  FakeWindowsVersion version(Windows::Win2000);
  CCleanerDlg dlg;
  DialogAnswerer answers;
  answers.Then([&dlg](HWND d) {
    CRemovalReport usb;
    usb.m_nRemoved = 1;
    usb.m_bEmpty = usb.m_bRestart = true;
    dlg.Record(IDC_CHK_USB, usb);
    ClickButton(d, IDC_APPLY);
    ClickButton(d, IDC_SELECTALL);
    Post(d, WM_CLOSE);
  });
  answers.Press(IDNO);
  dlg.DoModal();
  ASSERT_EQ(2u, answers.Seen().size());
  EXPECT_EQ(kPrompt, answers.Seen()[1].text);
}

TEST_F(Leaving, TheTimerIsKilledBeforeThePromptAppears) {
  FakeWindowsVersion version(Windows::Win98);
  DialogAnswerer answers;
  bool timerAlive = true;
  answers.Then([&](HWND prompt) {
    // Killing a timer that is already gone fails.
    timerAlive = ::KillTimer(::GetWindow(prompt, GW_OWNER), 100) != FALSE;
    ClickButton(prompt, IDNO);
  });
  Run(answers, [](HWND d) {
    ClickButton(d, IDC_APPLY);
    ClickButton(d, IDOK);
  });
  EXPECT_FALSE(timerAlive);
}

}  // namespace
