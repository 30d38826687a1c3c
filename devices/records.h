// The records that the detectors, list builders, the Detail dialog and the removers share,
// and what every removal item with a Detail list keeps. devices/ owns the device
// registrations and these records; it includes platform/ and sysinfo/ only, and never
// touches a window: its items report what they did, and the dialog sets its boxes.
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
  CSelectionEntry(std::string text, int index, bool selected, std::string keyPath = std::string())
      : m_strText(std::move(text)), m_nIndex(index), m_bSelected(selected),
        m_strKeyPath(std::move(keyPath)) {}

  std::string m_strText;  // display text, or a file's full path
  int m_nIndex = 0;       // position in the detector's order (registry), or a running number
  bool m_bSelected = true;  // removed when the category is applied (edited by the tick list)
  // Registry categories: the key the entry was built from, the only one it may delete.
  std::string m_strKeyPath;
};

// A category's selection list: owns its entries and keeps them in detector order. The
// dialog holds each list behind a pointer that is null until the list is first built and
// is replaced by every rebuild.
using CSelectionList = std::vector<std::unique_ptr<CSelectionEntry>>;
using CSelectionListPtr = std::unique_ptr<CSelectionList>;

// The m_bSelected of the first entry from the head whose m_nIndex is `index`; true when none.
bool LookupSelected(const CSelectionList* list, int index);

// Why something the user chose is still there after its removal, as far as the program
// can tell; a report may carry several.
enum StayReason : unsigned {
  kStayNotAdministrator = 1u << 0,  // only administrators may remove it
  kStayWow64 = 1u << 1,             // 64-bit Windows refuses device removal to a 32-bit program
  kStayRefused = 1u << 2,           // Windows refused the removal or the delete
  kStayFileLocked = 1u << 3,        // a file in use or read-only
};

// What a removal did: how many entries or keys went, how many stayed, and whether the
// item has nothing left, in which case the dialog unchecks and disables its box.
struct CRemovalReport {
  int m_nRemoved = 0;
  int m_nKept = 0;  // everything left, chosen or not
  bool m_bEmpty = false;
  // Of what the user chose, how much is still there, and why where known (StayReason bits).
  // What Windows removes only at the next restart is not counted here.
  int m_nStayed = 0;
  unsigned m_stayReasons = 0;
  // Windows asked for a restart to finish a removal.
  bool m_bRestart = false;
};

// An item with a Detail list: its selection list, whether the detection pass found it,
// and the state in which the dialog last put its box.
class CListedItem {
 public:
  CListedItem() = default;
  virtual ~CListedItem() = default;
  CListedItem(CListedItem&&) = default;
  CListedItem& operator=(CListedItem&&) = default;

  // Builds the list afresh, marks carried over, and records the box as checked.
  virtual void Build() = 0;
  // Removes what the selected entries stand for; the report says whether anything is left.
  virtual CRemovalReport Remove() = 0;

  // Null until the list is first built.
  CSelectionList* List() const { return m_pList.get(); }
  void DiscardList() { m_pList.reset(); }
  // Marks every entry for removal, as a box checked again does.
  void SelectEveryEntry();

  bool Found() const { return m_bFound; }
  void SetFound(bool found) { m_bFound = found; }
  bool Checked() const { return m_bChecked; }
  void SetChecked(bool checked) { m_bChecked = checked; }

 protected:
  CSelectionListPtr m_pList;
  bool m_bFound = true;
  bool m_bChecked = false;
};
