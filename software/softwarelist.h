// The list of the maker's installed products (list box 1013 of the main dialog). Row i of
// the list box and m_entries[i] always describe the same product.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/listbox.h"

struct CSoftwareEntry {
  std::string m_strUninstall;  // the whole "UninstallString"; empty when it cannot be read
  std::string m_strKeyPath;    // its uninstall key, below HKEY_LOCAL_MACHINE
};

class CSoftwareListBox : public fw::CListBox {
 public:
  ~CSoftwareListBox() override;

  // Empties the rows and records and lists the maker's products afresh.
  void FillSoftwareList();
  void FreeEntries();
  // A double click on a row: runs the product's uninstaller and cleans up after it.
  void OnDblclk();

  std::vector<std::unique_ptr<CSoftwareEntry>> m_entries;

 protected:
  bool OnNotify(UINT code) override;

 private:
  void RemoveRow(int row);
  // True while no fill or removal has changed the rows since `changes` was taken: a
  // freed record's address may be reused, so pointers cannot tell.
  bool Unchanged(unsigned changes) const { return changes == m_nChanges; }
  unsigned m_nChanges = 0;
};
