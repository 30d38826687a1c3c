#include <gtest/gtest.h>

#include "app/globals.h"
#include "framework/app.h"
#include "platform/files.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"
#include "support/registry_fixture.h"
#include "support/version_fake.h"

using testing_support::DialogAnswerer;
using testing_support::MainDialog;
using testing_support::WindowText;

namespace {

struct Control {
  int id;
  const char* className;
  const char* caption;
  DWORD kind;  // the BS_/SS_ type bits
  bool visible;
};

TEST(MainDialogStartup, ShowsEveryControlOfTheTemplate) {
  MainDialog dlg;
  HWND window = dlg->GetSafeHwnd();
  ASSERT_TRUE(window);
  EXPECT_EQ("System Registry Cleaner", WindowText(window));

  const Control controls[] = {
      {IDOK, "Button", "Exit", BS_DEFPUSHBUTTON, true},
      {IDCANCEL, "Button", "Cancel", BS_PUSHBUTTON, true},
      {IDC_CHK_EVENTMGR, "Button", "Quillmar Event Manager", BS_AUTOCHECKBOX, true},
      {IDC_CHK_DETECTOR, "Button", "Scanner Detector", BS_AUTOCHECKBOX, true},
      {IDC_CHK_1394, "Button", "1394 Registered Data", BS_AUTOCHECKBOX, true},
      {IDC_CHK_STI, "Button", "Registered STI Scanners", BS_AUTO3STATE, true},
      {IDC_DETAIL_STI, "Button", "Detail...", BS_PUSHBUTTON, true},
      {IDC_CHK_SCSI, "Button", "Registered SCSI Scanner", BS_AUTO3STATE, true},
      {IDC_DETAIL_SCSI, "Button", "Detail...", BS_PUSHBUTTON, true},
      {IDC_CHK_USB, "Button", "Registered USB Scanner", BS_AUTO3STATE, true},
      {IDC_DETAIL_USB, "Button", "Detail...", BS_PUSHBUTTON, true},
      {IDC_CHK_EPP, "Button", "EPP Driver", BS_AUTOCHECKBOX, true},
      {IDC_CHK_ASPI, "Button", "ASPI Registry for NT", BS_AUTOCHECKBOX, true},
      {IDC_CHK_INF, "Button", "INF for Quillmar Scanner", BS_AUTO3STATE, true},
      {IDC_DETAIL_INF, "Button", "Detail...", BS_PUSHBUTTON, true},
      {IDC_CHK_SYSFILES, "Button", "System Files", BS_AUTO3STATE, true},
      {IDC_DETAIL_SYSFILES, "Button", "Detail...", BS_PUSHBUTTON, true},
      {IDC_APPLY, "Button", "Apply", BS_PUSHBUTTON, true},
      {IDC_SELECTALL, "Button", "Select All", BS_PUSHBUTTON, true},
      {IDC_UNSELECTALL, "Button", "Unselect All", BS_PUSHBUTTON, false},
      {IDC_REFRESH, "Button", "Refresh", BS_PUSHBUTTON, false},
      {IDC_SOFTWARE, "ListBox", "", 0, true},
  };
  for (const Control& c : controls) {
    HWND control = dlg->GetDlgItem(c.id);
    ASSERT_TRUE(control) << c.id;
    char className[32];
    ::GetClassNameA(control, className, sizeof(className));
    EXPECT_STREQ(c.className, className) << c.id;
    EXPECT_EQ(c.caption, WindowText(control)) << c.id;
    DWORD style = static_cast<DWORD>(::GetWindowLongA(control, GWL_STYLE));
    if (c.className[0] == 'B') {
      EXPECT_EQ(c.kind, style & BS_TYPEMASK) << c.id;
    }
    EXPECT_EQ(c.visible, (style & WS_VISIBLE) != 0) << c.id;
  }
  for (int box : {IDC_CHK_EVENTMGR, IDC_CHK_DETECTOR, IDC_CHK_1394, IDC_CHK_STI, IDC_CHK_SCSI,
                  IDC_CHK_USB, IDC_CHK_EPP, IDC_CHK_ASPI, IDC_CHK_INF, IDC_CHK_SYSFILES})
    EXPECT_EQ(BST_UNCHECKED, dlg.Check(box)) << box;
  // Nothing is marked for deletion until the user asks.
  EXPECT_FALSE(dlg->Checked(IDC_CHK_SYSFILES));
  EXPECT_TRUE(dlg.Enabled(IDC_CHK_SYSFILES));
  for (int button : {IDC_DETAIL_STI, IDC_DETAIL_SCSI, IDC_DETAIL_USB, IDC_DETAIL_INF, IDC_DETAIL_SYSFILES})
    EXPECT_TRUE(dlg.Enabled(button)) << button;
}

TEST(MainDialogStartup, AppendsTheAboutItemAndSetsTheIcon) {
  MainDialog dlg;
  HMENU menu = ::GetSystemMenu(dlg->GetSafeHwnd(), FALSE);
  ASSERT_TRUE(menu);
  int count = ::GetMenuItemCount(menu);
  ASSERT_GE(count, 2);
  EXPECT_EQ(IDM_ABOUTBOX, static_cast<int>(::GetMenuItemID(menu, count - 1)));
  char text[64] = "";
  ::GetMenuStringA(menu, count - 1, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ("&About DrvPurge...", text);
  EXPECT_TRUE(::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);

  // LoadIconA hands out one shared handle per resource.
  const HICON icon = ::LoadIconA(fw::Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  ASSERT_TRUE(icon);
  EXPECT_EQ(reinterpret_cast<LRESULT>(icon),
            ::SendMessageA(dlg->GetSafeHwnd(), WM_GETICON, ICON_BIG, 0));
  EXPECT_EQ(reinterpret_cast<LRESULT>(icon),
            ::SendMessageA(dlg->GetSafeHwnd(), WM_QUERYDRAGICON, 0, 0));
}

TEST(MainDialogStartup, FormsThePathsAndShowsTheSystem) {
  testing_support::FakeWindowsVersion version(testing_support::Windows::WinXp);
  // A file of the Windows directory that the system-files list offers on every system.
  const std::string twain = platform::WindowsDirectory() + "\\Twunk_32.exe";
  const bool seeded = !platform::FileOpensExclusively(twain);
  if (seeded) testing_support::WriteFile(twain, "MZ");
  MainDialog dlg;
  if (seeded) platform::DeleteFile(twain);
  ASSERT_TRUE(dlg->SystemFiles().List());
  EXPECT_TRUE(CSystemFiles::ListContainsPath(dlg->SystemFiles().List(), twain));
  std::string exe = platform::ModulePath();
  EXPECT_EQ(exe.substr(0, exe.rfind('\\')) + "\\DrvPurge.ini", dlg->InfFiles().IniPath());
  EXPECT_TRUE(dlg->Windows().IsNT5());
  EXPECT_EQ(1, g_bShowDetail);
  EXPECT_FALSE(dlg->Cleaned());
  EXPECT_EQ("Windows XP Professional Service Pack 3 (Build 2600)\n", dlg.Text(IDC_OSNAME));
}

TEST(MainDialogStartup, AboutBoxOpensFromTheSystemMenuAndChangesNothing) {
  MainDialog dlg;
  DialogAnswerer answers;
  std::string iconClass;
  answers.Then([&](HWND about) {
    HWND icon = ::FindWindowExA(about, nullptr, "Static", nullptr);
    if (icon && (::GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) iconClass = "icon";
    testing_support::ClickButton(about, IDOK);
  });
  answers.Press(IDOK);
  for (int run = 0; run < 2; ++run)
    ::SendMessageA(dlg->GetSafeHwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  ASSERT_EQ(2u, answers.Seen().size());
  EXPECT_EQ("About DrvPurge", answers.Seen()[0].caption);
  EXPECT_EQ("icon", iconClass);
  EXPECT_EQ(0, answers.Unanswered());
  EXPECT_TRUE(::IsWindowVisible(dlg->GetSafeHwnd()));
  EXPECT_FALSE(dlg->Cleaned());
}

// Which boxes the detection pass leaves usable on each system, with nothing of the
// maker's installed: only the system files and the INF files (not on NT 4.0), and ASPI on
// NT 4.0 alone.
struct Usable {
  testing_support::Windows version;
  bool inf, aspi;
};

class DetectionByPlatform : public ::testing::TestWithParam<Usable> {};

TEST_P(DetectionByPlatform, DisablesAbsentItems) {
  testing_support::FakeWindowsVersion version(GetParam().version);
  MainDialog dlg;
  EXPECT_EQ(GetParam().inf, dlg.Enabled(IDC_CHK_INF));
  EXPECT_EQ(GetParam().aspi, dlg.Enabled(IDC_CHK_ASPI));
  EXPECT_EQ(GetParam().aspi, dlg->Found(IDC_CHK_ASPI));
  EXPECT_TRUE(dlg.Enabled(IDC_CHK_SYSFILES));
  for (int box : {IDC_CHK_EVENTMGR, IDC_CHK_DETECTOR, IDC_CHK_STI})
    EXPECT_FALSE(dlg.Enabled(box)) << box;
  for (int box : {IDC_CHK_STI, IDC_CHK_EVENTMGR, IDC_CHK_DETECTOR})
    EXPECT_FALSE(dlg->Found(box)) << box;
}

using testing_support::Windows;
INSTANTIATE_TEST_SUITE_P(Systems, DetectionByPlatform,
                         ::testing::Values(Usable{Windows::Win95, true, false},
                                           Usable{Windows::Win98, true, false},
                                           Usable{Windows::WinMe, true, false},
                                           Usable{Windows::Nt40, false, true},
                                           Usable{Windows::Win2000, true, false},
                                           Usable{Windows::WinXp, true, false},
                                           Usable{Windows::Win2003, true, false}));

// A top-level window with a given caption, as a companion program would show.
class CaptionedWindow {
 public:
  explicit CaptionedWindow(const char* caption) {
    m_window = ::CreateWindowExA(0, "Static", caption, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
  }
  ~CaptionedWindow() { ::DestroyWindow(m_window); }

 private:
  HWND m_window;
};

TEST(DetectionPass, CompanionsCountOnlyByTheirExactCaptions) {
  {
    CaptionedWindow eventManager("Quillmar Event Manager 1.0");
    CaptionedWindow detector("Quillmar Scanner Detector 1.3");
    MainDialog dlg;
    EXPECT_TRUE(dlg.Enabled(IDC_CHK_EVENTMGR));
    EXPECT_TRUE(dlg->Found(IDC_CHK_EVENTMGR));
    EXPECT_TRUE(dlg.Enabled(IDC_CHK_DETECTOR));
    EXPECT_TRUE(dlg->Found(IDC_CHK_DETECTOR));
  }
  {
    CaptionedWindow otherVersion("Quillmar Scanner Detector 1.5");
    CaptionedWindow longer("Quillmar Event Manager 1.0 ");
    MainDialog dlg;
    EXPECT_FALSE(dlg.Enabled(IDC_CHK_DETECTOR));
    EXPECT_FALSE(dlg.Enabled(IDC_CHK_EVENTMGR));
  }
}

TEST(DetectionPass, RefreshRunsThePassAgainWithoutResettingFoundFlags) {
  testing_support::FakeWindowsVersion version(testing_support::Windows::WinXp);
  const char kUsb[] = "SYSTEM\\CurrentControlSet\\Enum\\USB";
  testing_support::ScopedRegistry registry({kUsb});
  MainDialog dlg;
  ASSERT_FALSE(dlg->Found(IDC_CHK_USB));
  ASSERT_TRUE(dlg->Found(IDC_CHK_SYSFILES));
  CaptionedWindow detector("Quillmar Scanner Detector 1.0");
  testing_support::SetString(HKEY_LOCAL_MACHINE, std::string(kUsb) + "\\Vid_1&Pid_2\\0000", "Mfg",
                             "Quillmar");
  dlg->SendCommand(IDC_REFRESH);
  EXPECT_TRUE(dlg->Found(IDC_CHK_DETECTOR));
  EXPECT_TRUE(dlg->Found(IDC_CHK_SYSFILES));
  // The pass only ever disables and clears: a scanner plugged in since stays unoffered, and
  // the box stays disabled although the detector is up now.
  EXPECT_FALSE(dlg->Found(IDC_CHK_USB));
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_USB));
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_DETECTOR));
}

}  // namespace
