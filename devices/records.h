// The records that the detectors, list builders, the Detail dialog and the removers share.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

// One matching device, as a detector found it in list mode.
struct CFoundKey {
  std::string m_strText;     // the device's display text; empty when the value is absent
  std::string m_strKeyPath;  // below HKEY_LOCAL_MACHINE: the key that removal deletes
};
using CFoundKeyList = std::vector<CFoundKey>;

// One removable item of a category as the user sees and chooses it.
struct CSelectionEntry {
  CSelectionEntry() = default;
  CSelectionEntry(std::string text, int index, int selected, std::string keyPath = std::string())
      : m_strText(std::move(text)), m_nIndex(index), m_bSelected(selected),
        m_strKeyPath(std::move(keyPath)) {}

  std::string m_strText;  // display text, or a file's full path
  int m_nIndex = 0;       // position in the detector's order (registry), or a running number
  int m_bSelected = 1;    // 1: removed when the category is applied
  // Registry categories: the key the entry was built from, the only one it may delete.
  std::string m_strKeyPath;
};

// A category's selection list: owns its entries and keeps them in detector order. The
// dialog holds each list behind a pointer that is null until the list is first built and
// is replaced by every rebuild.
using CSelectionList = std::vector<std::unique_ptr<CSelectionEntry>>;
using CSelectionListPtr = std::unique_ptr<CSelectionList>;

// The m_bSelected of the first entry from the head whose m_nIndex is `index`; 1 when none.
int LookupSelected(const CSelectionList* list, int index);
