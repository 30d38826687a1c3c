// The list of the maker's installed products (list box 1013 of the main dialog). Row i of
// the list box and entry i always describe the same product. software/ owns the list and
// the uninstall launch; it includes platform/, framework/ and sysinfo/.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/listbox.h"
#include "sysinfo/osinfo.h"

struct CSoftwareEntry {
  std::string m_strUninstall;  // the whole "UninstallString"; empty when it cannot be read
  std::string m_strKeyPath;    // its uninstall key, below HKEY_LOCAL_MACHINE
};

// One of the maker's installed products as the list shows it.
struct CProduct {
  std::string m_strText;       // its row's text
  std::string m_strUninstall;  // the whole "UninstallString"; empty when it cannot be read
  std::string m_strKeyPath;    // its uninstall key, below HKEY_LOCAL_MACHINE
};
// The maker's installed products, in the registry's order.
std::vector<CProduct> FindProducts();

class CSoftwareListBox : public fw::CListBox {
 public:
  ~CSoftwareListBox() override;

  // The Windows that runs: the NT 5 family deletes a leftover registration with its subkeys.
  void SetWindows(const WindowsVersion& windows) { m_windows = windows; }

  // Empties the rows and records and lists the maker's products afresh.
  void FillSoftwareList();
  void FreeEntries();
  // A double click on a row: runs the product's uninstaller (see UninstallCommandLine) and
  // cleans up after it.
  void OnDblclk();

  const std::vector<std::unique_ptr<CSoftwareEntry>>& Entries() const { return m_entries; }

 protected:
  bool OnNotify(UINT code) override;

 private:
  void RemoveRow(int row);
  // True while no fill or removal has changed the rows since `changes` was taken: a
  // freed record's address may be reused, so pointers cannot tell.
  bool Unchanged(unsigned changes) const { return changes == m_nChanges; }
  unsigned m_nChanges = 0;
  std::vector<std::unique_ptr<CSoftwareEntry>> m_entries;
  WindowsVersion m_windows;
};
