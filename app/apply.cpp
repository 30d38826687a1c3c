#include "app/cleanerdlg.h"
#include "framework/app.h"
#include "framework/fileerror.h"
#include "framework/waitcursor.h"
#include "res/resource.h"

namespace {

// One step of the cleaning run: the remover runs when the system is one it serves and
// its box is checked (any state but unchecked), the box read just before the step. The
// 1394 step goes by the program's record instead of the box.
struct ApplyStep {
  const char* name;
  int box;
  bool (*serves)(const WindowsVersion&);
  void (*remove)(CCleanerDlg&);
};

bool Always(const WindowsVersion&) { return true; }
bool NotWin95(const WindowsVersion& w) { return !w.IsWin95(); }
bool Win98MeOrNt5(const WindowsVersion& w) { return w.IsWin98() || w.IsWinME() || w.IsNT5(); }

// Windows 95, 98, ME and the NT 5 family.
const ApplyStep kGroupA[] = {
    {"still-image", IDC_CHK_STI, &NotWin95, [](CCleanerDlg& d) { d.RemoveSTIScanners(); }},
    {"SCSI", IDC_CHK_SCSI, &Always, [](CCleanerDlg& d) { d.RemoveSCSIScanners(); }},
    {"1394", IDC_CHK_1394, &Win98MeOrNt5, [](CCleanerDlg& d) { d.Remove1394Data(); }},
    {"INF", IDC_CHK_INF, &Always, [](CCleanerDlg& d) { d.RemoveINFFiles(); }},
    {"event manager", IDC_CHK_EVENTMGR, &Always, [](CCleanerDlg& d) { d.RemoveEventManager(); }},
    {"system files", IDC_CHK_SYSFILES, &Always, [](CCleanerDlg& d) { d.RemoveSystemFiles(); }},
    {"EPP", IDC_CHK_EPP, &Always, [](CCleanerDlg& d) { d.RemoveEPPDriver(); }},
    {"USB", IDC_CHK_USB, &Win98MeOrNt5, [](CCleanerDlg& d) { d.RemoveUSBScanners(); }},
};

// NT 4.0 (without the NT 5 flag).
const ApplyStep kGroupB[] = {
    {"ASPI", IDC_CHK_ASPI, &Always, [](CCleanerDlg& d) { d.RemoveASPIRegistry(); }},
    {"EPP", IDC_CHK_EPP, &Always, [](CCleanerDlg& d) { d.RemoveEPPDriver(); }},
    {"system files", IDC_CHK_SYSFILES, &Always, [](CCleanerDlg& d) { d.RemoveSystemFiles(); }},
};

// Every system.
const ApplyStep kLast[] = {
    {"scanner detector", IDC_CHK_DETECTOR, &Always, [](CCleanerDlg& d) { d.RemoveDetector(); }},
};

template <class Visit>
void ForEachStep(const WindowsVersion& windows, Visit visit) {
  if (windows.Is9x() || windows.IsNT5()) {
    for (const ApplyStep& step : kGroupA) visit(step);
  } else if (windows.IsNT4()) {
    for (const ApplyStep& step : kGroupB) visit(step);
  }
  for (const ApplyStep& step : kLast) visit(step);
}

// Not a reason a report gives: the run stopped at a file error before the item's step.
const unsigned kNotTried = 1u << 31;

const struct {
  unsigned reason;
  const char* text;
} kReasonTexts[] = {
    {kStayNotAdministrator, "only an administrator may remove it"},
    {kStayWow64,
     "64-bit Windows does not let a 32-bit program remove devices; remove them in Device Manager"},
    {kStayRefused, "Windows refused the removal"},
    {kStayFileLocked, "a file is in use or read-only"},
    {kNotTried, "not tried, as the removal stopped at the file error"},
};

unsigned ReasonsOf(const fw::CFileException& error) {
  switch (error.m_cause) {
    case fw::CFileException::accessDenied:
    case fw::CFileException::sharingViolation:
    case fw::CFileException::lockViolation:
      return kStayFileLocked;
    default:
      return 0;
  }
}

// A box's text as the user reads it: "&&" shows one ampersand, a single one none.
std::string ShownText(HWND control) {
  char text[256] = "";
  ::GetWindowTextA(control, text, sizeof(text));
  std::string shown;
  for (const char* c = text; *c; ++c) {
    if (*c == '&' && *++c == '\0') break;
    shown += *c;
  }
  return shown;
}

}  // namespace

std::vector<std::string> CCleanerDlg::ApplyOrder(const WindowsVersion& windows) {
  std::vector<std::string> names;
  ForEachStep(windows, [&](const ApplyStep& step) {
    if (step.serves(windows)) names.push_back(step.name);
  });
  return names;
}

// A file error ends the run in its step: the framework's box says why, the item counts
// as stayed, and the checked items after it are not tried.
void CCleanerDlg::OnApply() {
  fw::CWaitCursor wait;
  m_bCleaned = true;
  m_stayed.clear();
  bool stopped = false;
  ForEachStep(m_windows, [&](const ApplyStep& step) {
    if (!step.serves(m_windows)) return;
    const bool wanted =
        step.box == IDC_CHK_1394 ? m_b1394Checked : GetCheck(step.box) != BST_UNCHECKED;
    if (!wanted) return;
    if (stopped) {
      m_stayed.push_back({step.box, kNotTried});
      return;
    }
    try {
      step.remove(*this);
    } catch (const fw::CFileException& error) {
      fw::ReportFileError(error);
      m_stayed.push_back({step.box, ReasonsOf(error)});
      stopped = true;
    }
  });
  if (!m_stayed.empty()) ReportStayed();
}

void CCleanerDlg::Record(int box, const CRemovalReport& report) {
  if (report.m_bRestart) m_bRestartAsked = true;
  if (report.m_nStayed > 0) m_stayed.push_back({box, report.m_stayReasons});
}

void CCleanerDlg::ReportStayed() const {
  std::string text = "DrvPurge could not remove everything you chose. Still there:\n";
  for (const StayedItem& item : m_stayed) {
    text += "\n" + ShownText(GetDlgItem(item.box));
    std::string why;
    for (const auto& reason : kReasonTexts)
      if (item.reasons & reason.reason) why += (why.empty() ? "" : "; ") + std::string(reason.text);
    text += why.empty() ? "" : ": " + why;
    text += ".";
  }
  ::MessageBoxA(m_hWnd, text.c_str(), fw::AppName().c_str(), MB_OK | MB_ICONEXCLAMATION);
}
