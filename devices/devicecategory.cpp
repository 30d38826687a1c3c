#include "devices/devicecategory.h"

#include <unordered_map>

#include "platform/devicemanager.h"
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
      // A device key without an instance is no device; nor is an instance whose removal
      // awaits the restart, though Windows keeps its key until then.
      std::string instanceName;
      DWORD at = 0;
      while (device.EnumKey(at, instanceName) &&
             platform::RemovedAtRestart(category.m_strRoot + "\\" + name + "\\" +
                                        instanceName))
        ++at;
      if (instanceName.empty() || !instance.Open(device.Handle(), instanceName, KEY_READ))
        continue;
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

namespace {
// Whatever the selected entries of `list` stand for, by the case key of their key paths.
std::unordered_map<std::string, bool> MarksByKey(const CSelectionList* list) {
  std::unordered_map<std::string, bool> marks;
  if (list)
    for (const auto& entry : *list)
      marks.emplace(platform::CaseKey(entry->m_strKeyPath), entry->m_bSelected);
  return marks;
}

constexpr unsigned Bits(unsigned bits) { return bits; }
static_assert(Bits(kStayNotAdministrator) == platform::kRefusedNotAdministrator &&
                  Bits(kStayWow64) == platform::kRefusedWow64 &&
                  Bits(kStayRefused) == platform::kRefusedOther,
              "the removal reports carry the platform's refusals on unchanged");
}  // namespace

void RebuildSelectionList(CSelectionListPtr& list, const CFoundKeyList& found) {
  const std::unordered_map<std::string, bool> marks = MarksByKey(list.get());
  list.reset(new CSelectionList);
  list->reserve(found.size());
  int index = 0;
  for (const CFoundKey& key : found) {
    std::unique_ptr<CSelectionEntry> entry(new CSelectionEntry);
    entry->m_strText = key.m_strText;
    entry->m_strKeyPath = key.m_strKeyPath;
    entry->m_nIndex = index++;
    const auto mark = marks.find(platform::CaseKey(key.m_strKeyPath));
    entry->m_bSelected = mark == marks.end() || mark->second;
    list->push_back(std::move(entry));
  }
}

CRemovalReport RemoveSelectedDevices(CSelectionList* list, const CFoundKeyList& found, bool nt5) {
  CRemovalReport report;
  if (!list) return report;
  // The keys of the selected entries, each the key its entry was built from, and only
  // while the fresh detection still finds it naming the maker; all removed in one batch.
  std::unordered_map<std::string, size_t> chosen;
  for (const CFoundKey& key : found) chosen.emplace(platform::CaseKey(key.m_strKeyPath), 0);
  std::vector<std::string> keys;
  for (const auto& entry : *list) {
    if (!entry->m_bSelected || entry->m_strKeyPath.empty()) continue;
    const auto at = chosen.find(platform::CaseKey(entry->m_strKeyPath));
    if (at == chosen.end() || at->second) continue;
    keys.push_back(entry->m_strKeyPath);
    at->second = keys.size();
  }
  const std::vector<platform::DeviceKeyRemoval> removals = platform::DeleteDeviceKeys(nt5, keys);
  for (const platform::DeviceKeyRemoval& removal : removals)
    report.m_bRestart |= removal.m_bRestart;

  // An entry whose device is gone, by this removal or by anything else since the list was
  // built, is done; one whose device is still there stays, ticked or not, and is numbered
  // in list order.
  const size_t before = list->size();
  CSelectionList kept;
  for (std::unique_ptr<CSelectionEntry>& entry : *list) {
    if (!entry->m_strKeyPath.empty() && !platform::RegistrationLeft(entry->m_strKeyPath)) continue;
    if (entry->m_bSelected) {
      ++report.m_nStayed;
      const auto at = chosen.find(platform::CaseKey(entry->m_strKeyPath));
      if (at != chosen.end() && at->second)
        report.m_stayReasons |= removals[at->second - 1].m_refusals;
    }
    entry->m_nIndex = static_cast<int>(kept.size());
    kept.push_back(std::move(entry));
  }
  list->swap(kept);
  report.m_nKept = static_cast<int>(list->size());
  report.m_nRemoved = static_cast<int>(before) - report.m_nKept;
  report.m_bEmpty = list->empty();
  return report;
}
