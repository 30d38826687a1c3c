#include "app/cleanerdlg.h"
#include "framework/waitcursor.h"
#include "res/resource.h"

namespace {

// One step of the cleaning run: the remover runs when the system is one it serves and
// its box is checked (any state but unchecked), the box read just before the step. The
// 1394 step goes by the program's record instead of the box.
struct ApplyStep {
  const char* name;
  int box;  // 0: the 1394 record decides
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
    {"1394", 0, &Win98MeOrNt5, [](CCleanerDlg& d) { d.Remove1394Data(); }},
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

}  // namespace

std::vector<std::string> CCleanerDlg::ApplyOrder(const WindowsVersion& windows) {
  std::vector<std::string> names;
  ForEachStep(windows, [&](const ApplyStep& step) {
    if (step.serves(windows)) names.push_back(step.name);
  });
  return names;
}

void CCleanerDlg::OnApply() {
  fw::CWaitCursor wait;
  m_bCleaned = true;
  ForEachStep(m_windows, [this](const ApplyStep& step) {
    if (!step.serves(m_windows)) return;
    const bool wanted = step.box ? GetCheck(step.box) != BST_UNCHECKED : m_b1394Checked;
    if (wanted) step.remove(*this);
  });
}
