#include "app/steps.h"

#include "devices/records.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "res/resource.h"

namespace {

bool Always(const WindowsVersion&) { return true; }
bool NotWin95(const WindowsVersion& w) { return !w.IsWin95(); }
bool NotNt4(const WindowsVersion& w) { return !w.IsNT4(); }
bool NotWin95OrNt4(const WindowsVersion& w) { return !w.IsWin95() && !w.IsNT4(); }
bool NtFamily(const WindowsVersion& w) { return w.IsNT4() || w.IsNT5(); }
bool Win98MeOrNt5(const WindowsVersion& w) { return w.IsWin98() || w.IsWinME() || w.IsNT5(); }

const std::vector<ItemInfo> kItems = {
    {Item::StillImage, "still-image", "sti", "Registered STI Scanners", IDC_CHK_STI, &NotWin95OrNt4},
    {Item::Scsi, "SCSI", "scsi", "Registered SCSI Scanner", IDC_CHK_SCSI, &NotNt4},
    {Item::Usb, "USB", "usb", "Registered USB Scanner", IDC_CHK_USB, &Always},
    {Item::Ieee1394, "1394", "1394", "1394 Registered Data", IDC_CHK_1394, &Always},
    {Item::Epp, "EPP", "epp", "EPP Driver", IDC_CHK_EPP, &Always},
    {Item::Aspi, "ASPI", "aspi", "ASPI Registry for NT", IDC_CHK_ASPI, &NtFamily},
    {Item::Inf, "INF", "inf", "INF for Quillmar Scanner", IDC_CHK_INF, &NotNt4},
    {Item::SystemFiles, "system files", "sysfiles", "System Files", IDC_CHK_SYSFILES, &Always},
    {Item::EventManager, "event manager", "eventmanager", "Quillmar Event Manager",
     IDC_CHK_EVENTMGR, &NotNt4},
    {Item::Detector, "scanner detector", "detector", "Scanner Detector", IDC_CHK_DETECTOR, &Always},
};

// One step of the cleaning run: its item's removal runs when the system is one it serves.
struct Step {
  Item item;
  bool (*serves)(const WindowsVersion&);
};

// Windows 95, 98, ME and the NT 5 family.
const Step kGroupA[] = {
    {Item::StillImage, &NotWin95}, {Item::Scsi, &Always},      {Item::Ieee1394, &Win98MeOrNt5},
    {Item::Inf, &Always},          {Item::EventManager, &Always}, {Item::SystemFiles, &Always},
    {Item::Epp, &Always},          {Item::Usb, &Win98MeOrNt5},
};
// NT 4.0 (without the NT 5 flag).
const Step kGroupB[] = {{Item::Aspi, &Always}, {Item::Epp, &Always}, {Item::SystemFiles, &Always}};
// Every system.
const Step kLast[] = {{Item::Detector, &Always}};

const struct {
  unsigned reason;
  const char* text;
} kReasonTexts[] = {
    {kStayNotAdministrator, "only an administrator may remove it"},
    {kStayWow64,
     "64-bit Windows does not let a 32-bit program remove devices; remove them in Device Manager"},
    {kStayRefused, "Windows refused the removal"},
    {kStayFileLocked, "a file is in use or read-only"},
    {kStayNotTried, "not tried, as the removal stopped at the file error"},
};

}  // namespace

const std::vector<ItemInfo>& Items() { return kItems; }

const ItemInfo& InfoOf(Item item) {
  for (const ItemInfo& info : kItems)
    if (info.item == item) return info;
  return kItems.front();
}

const ItemInfo* ItemNamed(const std::string& switchName) {
  for (const ItemInfo& info : kItems)
    if (platform::SameTextNoCase(switchName, info.switchName)) return &info;
  return nullptr;
}

std::vector<Item> CleaningRun(const WindowsVersion& windows) {
  std::vector<Item> run;
  auto take = [&](const Step& step) {
    if (step.serves(windows)) run.push_back(step.item);
  };
  if (windows.Is9x() || windows.IsNT5()) {
    for (const Step& step : kGroupA) take(step);
  } else if (windows.IsNT4()) {
    for (const Step& step : kGroupB) take(step);
  }
  for (const Step& step : kLast) take(step);
  return run;
}

std::string StayReasonText(unsigned reasons) {
  std::string text;
  for (const auto& reason : kReasonTexts)
    if (reasons & reason.reason) text += (text.empty() ? "" : "; ") + std::string(reason.text);
  return text;
}

const char kAspiServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\ASPI32";

CRemovalReport RemoveAspiService(CAspiRegistry& aspi, LONG* result) {
  const LONG deleted = aspi.Remove();
  if (result) *result = deleted;
  CRemovalReport report;
  report.m_nRemoved = deleted == ERROR_SUCCESS ? 1 : 0;
  if (!platform::KeyAbsent(HKEY_LOCAL_MACHINE, kAspiServiceKey)) {
    report.m_nStayed = report.m_nKept = 1;
    report.m_stayReasons = kStayRefused;
  }
  report.m_bEmpty = report.m_nKept == 0;
  return report;
}
