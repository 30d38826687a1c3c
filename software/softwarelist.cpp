#include "software/softwarelist.h"

#include <utility>

#include "platform/registry.h"
#include "platform/system.h"
#include "platform/text.h"
#include "software/uninstallcommand.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// True only when the product's registration is really gone: a key that exists but will
// not open (no rights) is still there, and its row must not pretend otherwise.
bool RegistrationGone(const std::string& keyPath) {
  return platform::KeyAbsent(HKEY_LOCAL_MACHINE, keyPath);
}

}  // namespace

CSoftwareListBox::~CSoftwareListBox() { FreeEntries(); }

void CSoftwareListBox::FreeEntries() { m_entries.clear(); }

std::vector<CProduct> FindProducts() {
  std::vector<CProduct> products;
  platform::RegKey uninstall;
  if (!uninstall.Open(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_READ)) return products;

  std::string name;
  for (DWORD index = 0; uninstall.EnumKey(index, name); ++index) {
    const std::string keyPath = std::string(kUninstallKey) + "\\" + name;
    std::string displayName;
    std::string command;
    platform::RegKey product;
    if (product.Open(uninstall.Handle(), name, KEY_READ)) {
      product.QueryText("DisplayName", displayName);
      product.QueryText("UninstallString", command);
    }

    const bool maker = platform::ContainsWord(keyPath, "Quillmar") ||
                       platform::ContainsWord(displayName, "Quillmar") ||
                       platform::ContainsWord(displayName, "Imagoquest");
    if (!maker) continue;
    const bool keyName = platform::ContainsWord(keyPath, "Imagoquest Pro TX");
    products.push_back({keyName ? name : displayName, command, keyPath});
  }
  return products;
}

void CSoftwareListBox::FillSoftwareList() {
  ++m_nChanges;
  ResetContent();
  FreeEntries();
  for (const CProduct& product : FindProducts()) {
    // A row that the list box refused gets no record, so rows and records stay in step.
    if (AddString(product.m_strText.c_str()) < 0) continue;
    auto entry = std::make_unique<CSoftwareEntry>();
    entry->m_strUninstall = product.m_strUninstall;
    entry->m_strKeyPath = product.m_strKeyPath;
    m_entries.push_back(std::move(entry));
  }
}

void CSoftwareListBox::RemoveRow(int row) {
  DeleteString(row);
  m_entries.erase(m_entries.begin() + row);
  ++m_nChanges;
}

void CSoftwareListBox::OnDblclk() {
  const int row = GetCurSel();
  if (row < 0 || row >= static_cast<int>(m_entries.size())) return;
  const CSoftwareEntry* entry = m_entries[row].get();
  const unsigned changes = m_nChanges;
  const std::string command = UninstallCommandLine(entry->m_strUninstall);
  const std::string keyPath = entry->m_strKeyPath;

  // A program found in neither system folder is not started; the row goes on as after any
  // uninstaller that did not start, and offers to delete the registration that is left.
  if (!command.empty()) platform::System().WinExec(command.c_str(), SW_SHOWDEFAULT);
  ::MessageBoxA(m_hWnd, "Press OK when Uninstalling process is finished.", "Uninstall...", MB_OK);
  // The boxes run a message loop of their own: the list may have been refilled meanwhile.
  if (!Unchanged(changes)) return;

  if (RegistrationGone(keyPath)) {
    RemoveRow(row);
    return;
  }

  const std::string message =
      "The registry of " + GetText(row) + " is not cleaned.\nWould you want to delete it?";
  const int answer =
      ::MessageBoxA(m_hWnd, message.c_str(), "Installer Registry Is Not Cleaned.", MB_YESNO);
  if (answer != IDYES || !Unchanged(changes)) return;

  if (m_windows.IsNT5())
    platform::DeleteKeyTree(HKEY_LOCAL_MACHINE, keyPath);
  else
    platform::DeleteKey(HKEY_LOCAL_MACHINE, keyPath);
  // RegDeleteKeyA on the NT family leaves a key that has subkeys, and a key without the
  // rights to it stays too: the row goes only when the key really went.
  if (RegistrationGone(keyPath)) RemoveRow(row);
}

bool CSoftwareListBox::OnNotify(UINT code) {
  if (code != LBN_DBLCLK) return false;
  OnDblclk();
  return true;
}
