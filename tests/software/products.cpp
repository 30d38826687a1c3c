#include "software/products.h"

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <algorithm>
#include <cstring>

namespace software_tests {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

namespace {

class Key {
 public:
  Key(HKEY parent, const std::string& name) {
    ::RegCreateKeyExA(parent, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                      nullptr);
  }
  ~Key() {
    if (m_key) ::RegCloseKey(m_key);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return m_key; }

 private:
  HKEY m_key = nullptr;
};

void SetText(HKEY key, const char* name, const char* value) {
  if (!key || !value) return;
  ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(std::strlen(value) + 1));
}

}  // namespace

std::string UninstallPath(const std::string& name) {
  return std::string(kUninstallKey) + "\\" + name;
}

void SeedProduct(const std::string& name, const char* displayName, const char* command) {
  Key uninstall(HKEY_LOCAL_MACHINE, kUninstallKey);
  Key product(uninstall.get(), name);
  ASSERT_NE(nullptr, product.get()) << name;
  SetText(product.get(), "DisplayName", displayName);
  SetText(product.get(), "UninstallString", command);
}

void SeedSubkey(const std::string& name, const std::string& subkey) {
  Key uninstall(HKEY_LOCAL_MACHINE, kUninstallKey);
  Key product(uninstall.get(), name);
  Key child(product.get(), subkey);
  ASSERT_NE(nullptr, child.get()) << name << "\\" << subkey;
}

bool ProductPresent(const std::string& name) {
  HKEY uninstall = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &uninstall) !=
      ERROR_SUCCESS)
    return false;
  HKEY product = nullptr;
  const bool present =
      ::RegOpenKeyExA(uninstall, name.c_str(), 0, KEY_READ, &product) == ERROR_SUCCESS;
  if (present) ::RegCloseKey(product);
  ::RegCloseKey(uninstall);
  return present;
}

ScopedProducts::ScopedProducts(std::vector<std::string> names) : m_names(std::move(names)) {
  Clean();
}

ScopedProducts::~ScopedProducts() { Clean(); }

void ScopedProducts::Clean() {
  HKEY uninstall = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_ALL_ACCESS, &uninstall) !=
      ERROR_SUCCESS)
    return;
  for (const std::string& name : m_names) ::SHDeleteKeyA(uninstall, name.c_str());
  ::RegCloseKey(uninstall);
}

bool operator==(const Listed& a, const Listed& b) {
  return a.text == b.text && a.command == b.command && a.name == b.name;
}

std::ostream& operator<<(std::ostream& out, const Listed& listed) {
  return out << "{\"" << listed.text << "\", \"" << listed.command << "\", " << listed.name
             << "}";
}

std::vector<Listed> ListedOf(const CSoftwareListBox& list, const std::vector<std::string>& names) {
  std::vector<Listed> listed;
  EXPECT_EQ(static_cast<size_t>(list.GetCount()), list.Entries().size())
      << "rows and records out of step";
  for (size_t row = 0; row < list.Entries().size(); ++row) {
    const CSoftwareEntry& entry = *list.Entries()[row];
    for (const std::string& name : names) {
      if (entry.m_strKeyPath != UninstallPath(name)) continue;
      listed.push_back({list.GetText(static_cast<int>(row)), entry.m_strUninstall, name});
    }
  }
  return listed;
}

int RowOf(const CSoftwareListBox& list, const std::string& name) {
  const auto& entries = list.Entries();
  auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
    return entry->m_strKeyPath == UninstallPath(name);
  });
  return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

}  // namespace software_tests
