// What the still-image, SCSI and USB registrations have in common: a walk over one
// registry key that finds the maker's devices, the selection list built from it, and the
// removal of the selected devices. Each category differs only by its table row.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "devices/records.h"

struct DeviceCategory {
  std::string m_strRoot;   // below HKEY_LOCAL_MACHINE; each subkey is one device
  bool m_bFirstInstance;   // the values sit in the device key's first subkey
  const char* m_pszMaker;  // the value that must name the maker
  const char* m_pszText;   // the value shown to the user
};

// True when `text` names Quillmar or its second brand Veldo (case-sensitive, anywhere).
bool NamesMaker(const std::string& text);

// With `countOnly` returns the number of the maker's devices and leaves `found` alone;
// otherwise appends one record per device, in the registry's order, and returns 0.
int FindDevices(const DeviceCategory& category, CFoundKeyList* found, bool countOnly);

// What Select All's detection pass found of one category, kept for the list build that
// follows in the same handler, so that Select All reads each device registration once.
// Only an armed store keeps anything; the first list build takes what it holds, and
// dropping it disarms it and forgets the rest. Unarmed, it walks the registry every time.
class CKeptDevices {
 public:
  void Arm() { m_bArmed = true; }
  void Drop();
  // The detection pass's count of the maker's devices; armed, the walk lists them and keeps
  // the list, replacing anything kept before.
  int Count(const DeviceCategory& category);
  // A list build's detection: the kept devices once, else a fresh walk in list mode.
  CFoundKeyList Take(const DeviceCategory& category);

 private:
  bool m_bArmed = false;
  bool m_bKept = false;
  CFoundKeyList m_found;
};

// Arms the stores for the life of one handler and drops them when it ends, however it ends:
// nothing kept outlives the handler that read it.
class CKeepDevices {
 public:
  explicit CKeepDevices(std::initializer_list<CKeptDevices*> stores);
  ~CKeepDevices();
  CKeepDevices(const CKeepDevices&) = delete;
  CKeepDevices& operator=(const CKeepDevices&) = delete;

 private:
  std::vector<CKeptDevices*> m_stores;
};

// Replaces `list` by one entry per found key, each carrying over the mark of the old entry
// of the same key (selected when there was none): a position is only the order in which
// the devices are shown.
void RebuildSelectionList(CSelectionListPtr& list, const CFoundKeyList& found);

// Removes the devices of the selected entries of `list` in one batch, each the key its
// entry was built from, `found` being a fresh detection, and frees every entry whose
// device is gone (platform::RegistrationLeft), removed now or before, or removed when
// Windows restarts; the rest are renumbered in order. An entry whose key the fresh
// detection no longer finds naming the maker, or whose device survives its removal, stays
// listed and selected, and is counted as stayed with Windows' reason. A missing list
// counts as nothing selected, and is not empty.
CRemovalReport RemoveSelectedDevices(CSelectionList* list, const CFoundKeyList& found, bool nt5);
