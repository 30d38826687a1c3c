#include "app/cleanerdlg.h"
#include "app/steps.h"
#include "framework/app.h"
#include "framework/fileerror.h"
#include "framework/waitcursor.h"
#include "res/resource.h"

namespace {

// The item's removal as the dialog runs it, its box and records following its report.
void RemoveItem(CCleanerDlg& d, Item item) {
  switch (item) {
    case Item::StillImage: d.RemoveSTIScanners(); break;
    case Item::Scsi: d.RemoveSCSIScanners(); break;
    case Item::Ieee1394: d.Remove1394Data(); break;
    case Item::Inf: d.RemoveINFFiles(); break;
    case Item::EventManager: d.RemoveEventManager(); break;
    case Item::SystemFiles: d.RemoveSystemFiles(); break;
    case Item::Epp: d.RemoveEPPDriver(); break;
    case Item::Usb: d.RemoveUSBScanners(); break;
    case Item::Aspi: d.RemoveASPIRegistry(); break;
    case Item::Detector: d.RemoveDetector(); break;
  }
}

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
  for (Item item : CleaningRun(windows)) names.push_back(InfoOf(item).name);
  return names;
}

// A file error ends the run in its step: the framework's box says why, the item counts
// as stayed, and the checked items after it are not tried.
void CCleanerDlg::OnApply() {
  fw::CWaitCursor wait;
  m_bCleaned = true;
  m_stayed.clear();
  bool stopped = false;
  // Each step reads its box just before it runs; the 1394 step goes by the program's record.
  for (Item item : CleaningRun(m_windows)) {
    const int box = InfoOf(item).box;
    const bool wanted = box == IDC_CHK_1394 ? m_b1394Checked : GetCheck(box) != BST_UNCHECKED;
    if (!wanted) continue;
    if (stopped) {
      m_stayed.push_back({box, kStayNotTried});
      continue;
    }
    try {
      RemoveItem(*this, item);
    } catch (const fw::CFileException& error) {
      fw::ReportFileError(error);
      m_stayed.push_back({box, ReasonsOf(error)});
      stopped = true;
    }
  }
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
    const std::string why = StayReasonText(item.reasons);
    text += why.empty() ? "" : ": " + why;
    text += ".";
  }
  ::MessageBoxA(m_hWnd, text.c_str(), fw::AppName().c_str(), MB_OK | MB_ICONEXCLAMATION);
}
