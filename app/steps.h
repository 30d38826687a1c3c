// The removal items and the cleaning run's steps, kept in one place for both faces of the
// program: the main dialog's Select All and Apply, and the command line's /list and
// /remove. Which Windows each step serves, its order, its box and its /items name are
// read from here only.
#pragma once
#include <string>
#include <vector>

#include "devices/fixeditems.h"
#include "devices/records.h"
#include "sysinfo/osinfo.h"

enum class Item { StillImage, Scsi, Ieee1394, Inf, EventManager, SystemFiles, Epp, Usb, Aspi, Detector };

struct ItemInfo {
  Item item;
  const char* name;        // the cleaning run's name of its step
  const char* switchName;  // its name in /items and in the command line's report
  const char* title;       // as its box reads
  int box;
  // False where Select All leaves the box unchecked whatever is found.
  bool (*picked)(const WindowsVersion&);
};

// Every item, in the order the dialog's boxes are read by Select All.
const std::vector<ItemInfo>& Items();
const ItemInfo& InfoOf(Item item);
// The item whose /items name is `switchName` (without regard to case); null when none is.
const ItemInfo* ItemNamed(const std::string& switchName);

// The items whose steps run on `windows`, in the run's order: one group for Windows 95, 98,
// ME and the NT 5 family, another for NT 4.0, and the scanner detector last everywhere.
std::vector<Item> CleaningRun(const WindowsVersion& windows);

// Not a reason an item reports: the dialog's run stopped at a file error before the item.
const unsigned kStayNotTried = 1u << 31;
// The StayReason bits as the user reads them, joined by "; "; empty for none.
std::string StayReasonText(unsigned reasons);

// The ASPI service's key below HKEY_LOCAL_MACHINE, the same path on NT 4.0 and later.
extern const char kAspiServiceKey[];
// Deletes the ASPI service's key; what is still there afterwards, not the delete's result
// (given in `result`), says whether the item stayed.
CRemovalReport RemoveAspiService(CAspiRegistry& aspi, LONG* result);
