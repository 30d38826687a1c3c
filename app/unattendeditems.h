// The removal items as the command line runs them: the objects the main dialog calls, found
// as Select All finds them and removed by the same calls, a file that will not go being
// reported rather than thrown. Each item names what its removal would delete, so that the
// report can say what became of each key, value and file.
#pragma once
#include <string>
#include <vector>

#include "app/removalitems.h"
#include "app/steps.h"

// One thing an item's removal deletes.
struct Trace {
  enum class Kind { Key, Value, File };
  Kind kind;
  std::string path;  // a key below HKEY_LOCAL_MACHINE, a value's key, or a file's full path
  std::string name;  // a value's name
  std::string note;  // a device's name; empty for the rest
};

class CUnattendedItems {
 public:
  explicit CUnattendedItems(const WindowsVersion& windows);

  // True when Select All would check the item's box here: something of it is found. A
  // listed item's list is built, every entry chosen.
  bool Found(Item item);
  // What the item's removal would delete now, in its order.
  std::vector<Trace> Traces(Item item) const;
  CRemovalReport Remove(Item item);
  // What became of `trace` after the removal that gave `report`: "removed", "at-restart"
  // (Windows finishes it at the next restart) or "stayed".
  const char* StateAfter(Item item, const Trace& trace, const CRemovalReport& report) const;

 private:
  CListedItem* Listed(Item item);
  const CListedItem* Listed(Item item) const;

  WindowsVersion m_windows;
  CRemovalItems m_items;
};

// How a trace reads in the report: "HKLM\" and the key, the key and "\" and the value's
// name, or the file's path.
std::string TracePath(const Trace& trace);
const char* TraceKind(const Trace& trace);
