#include "devices/devicecategory.h"

#include "platform/registry.h"
#include "platform/text.h"

bool NamesMaker(const std::string& text) {
  return platform::ContainsWord(text, "Quillmar") || platform::ContainsWord(text, "Veldo");
}

int FindDevices(const DeviceCategory& category, CFoundKeyList* found, bool countOnly) {
  // An empty root would open HKEY_LOCAL_MACHINE itself.
  if (category.m_strRoot.empty()) return 0;
  platform::RegKey root;
  if (!root.Open(HKEY_LOCAL_MACHINE, category.m_strRoot, KEY_READ)) return 0;
  int count = 0;
  std::string name;
  for (DWORD index = 0; root.EnumKey(index, name); ++index) {
    // Subkeys are opened through their parent's handle: a full path may be longer than
    // the registry calls accept, a name never is.
    platform::RegKey device;
    if (!device.Open(root.Handle(), name, KEY_READ)) continue;
    platform::RegKey instance;
    if (category.m_bFirstInstance) {
      std::string instanceName;
      if (!device.EnumKey(0, instanceName)) continue;
      if (!instance.Open(device.Handle(), instanceName, KEY_READ)) continue;
    }
    const platform::RegKey& values = category.m_bFirstInstance ? instance : device;
    if (!NamesMaker(values.QueryText(category.m_pszMaker))) continue;
    if (countOnly) {
      ++count;
    } else if (found) {
      found->push_back({values.QueryText(category.m_pszText), category.m_strRoot + "\\" + name});
    }
  }
  return countOnly ? count : 0;
}

void CKeptDevices::Drop() {
  m_bArmed = false;
  m_bKept = false;
  CFoundKeyList().swap(m_found);
}

int CKeptDevices::Count(const DeviceCategory& category) {
  if (!m_bArmed) return FindDevices(category, nullptr, true);
  m_found.clear();
  FindDevices(category, &m_found, false);
  m_bKept = true;
  return static_cast<int>(m_found.size());
}

CFoundKeyList CKeptDevices::Take(const DeviceCategory& category) {
  CFoundKeyList found;
  if (m_bKept) {
    found.swap(m_found);
    m_bKept = false;
  } else {
    FindDevices(category, &found, false);
  }
  return found;
}

CKeepDevices::CKeepDevices(std::initializer_list<CKeptDevices*> stores) : m_stores(stores) {
  for (CKeptDevices* store : m_stores) store->Arm();
}

CKeepDevices::~CKeepDevices() {
  for (CKeptDevices* store : m_stores) store->Drop();
}

void RebuildSelectionList(CSelectionListPtr& list, const CFoundKeyList& found) {
  CSelectionListPtr saved = std::move(list);
  list.reset(new CSelectionList);
  list->reserve(found.size());
  int index = 0;
  for (const CFoundKey& key : found) {
    std::unique_ptr<CSelectionEntry> entry(new CSelectionEntry);
    entry->m_strText = key.m_strText;
    entry->m_strKeyPath = key.m_strKeyPath;
    entry->m_nIndex = index++;
    entry->m_bSelected = SelectedForKey(saved.get(), key.m_strKeyPath);
    list->push_back(std::move(entry));
  }
}

namespace {
// Deletes the device that `entry` stands for, `found` being a fresh detection: the key
// the entry was built from, and only while the walk still finds it naming the maker.
void DeleteEntryKey(const CSelectionEntry& entry, const CFoundKeyList& found, bool nt5) {
  if (entry.m_strKeyPath.empty()) return;
  for (const CFoundKey& key : found) {
    if (!platform::SameTextNoCase(key.m_strKeyPath, entry.m_strKeyPath)) continue;
    platform::DeleteDeviceKey(nt5, key.m_strKeyPath);
    return;
  }
}
}  // namespace

bool SelectedForKey(const CSelectionList* list, const std::string& keyPath) {
  if (list)
    for (const auto& entry : *list)
      if (platform::SameTextNoCase(entry->m_strKeyPath, keyPath)) return entry->m_bSelected;
  return true;
}

bool RemoveSelectedDevices(CSelectionList* list, const CFoundKeyList& found, bool nt5) {
  if (!list) return false;
  CSelectionList kept;
  for (std::unique_ptr<CSelectionEntry>& entry : *list) {
    if (entry->m_bSelected) DeleteEntryKey(*entry, found, nt5);
    // An entry whose key is gone, by this delete or by anything else since the list was
    // built, is done; one whose key is still there stays, ticked or not, and is numbered
    // in list order.
    if (!entry->m_strKeyPath.empty() && platform::KeyAbsent(HKEY_LOCAL_MACHINE, entry->m_strKeyPath))
      continue;
    entry->m_nIndex = static_cast<int>(kept.size());
    kept.push_back(std::move(entry));
  }
  list->swap(kept);
  return list->empty();
}
