// Device registrations in the throwaway prefix, the Windows a test pretends to run, and
// the three categories with a Detail list described once for table-driven tests.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/cleanerdlg.h"
#include "devices/devicegroup.h"
#include "platform/system.h"
#include "support/registry_fixture.h"
#include "sysinfo/osinfo.h"

namespace devices_test {

// kNT4 is NT 4.0 with the basic version record only, the one system of the NT family
// without the NT 5 flag.
enum class Windows { kXP, kWin98, kWin95, kNT4 };

// The version record that start-up reads, for the length of one test.
class ScopedWindows {
 public:
  explicit ScopedWindows(Windows windows);
  ~ScopedWindows();

 private:
  platform::ScopedSystem m_restore;
  Windows m_previous;
};

// What start-up makes of `windows`, for items built by a test.
WindowsVersion VersionOf(Windows windows);

// RegDeleteKeyA as Windows 9x does it: the key with its subkeys.
LONG WINAPI RegDeleteKeyAs9x(HKEY root, LPCSTR path);

// Wipes every key these tests touch, before and after: the enumeration trees of both
// forms, the adapter and service keys, and the instances of the still-image class.
class ScopedDeviceRegistry {
 public:
  ScopedDeviceRegistry();
  ~ScopedDeviceRegistry();

 private:
  void Clean();
};

struct Category {
  const char* name;
  const char* ntRoot;
  const char* root9x;
  bool instances;     // values in the device key's first subkey
  const char* maker;  // on every system but Windows 95
  const char* text;
  int box;
  int detailButton;
  CDeviceGroup::Row row;
  CDeviceGroup& (CCleanerDlg::*group)();
  // The dialog's remover, which also retires the box once nothing is left.
  void (CCleanerDlg::*remove)();

  // The category's item as start-up makes it on XP (true) or on Windows 98 (false).
  CDeviceGroup Group(bool nt5) const {
    return CDeviceGroup(row, VersionOf(nt5 ? Windows::kXP : Windows::kWin98));
  }
  // The dialog's item of this category.
  CDeviceGroup& Of(CCleanerDlg& dlg) const { return (dlg.*group)(); }

  std::string Root(bool nt5) const { return nt5 ? ntRoot : root9x; }
  std::string DeviceKey(bool nt5, const std::string& device) const {
    return Root(nt5) + "\\" + device;
  }
  // Where the category reads its values for `device`.
  std::string ValueKey(bool nt5, const std::string& device) const {
    return DeviceKey(nt5, device) + (instances ? "\\0000" : "");
  }
  // A device whose maker value reads `maker` and whose display value reads `text`.
  void Add(bool nt5, const std::string& device, const std::string& maker,
           const std::string& text) const;
};

extern const Category kStillImage, kScsi, kUsb;
extern const Category* const kCategories[3];

// Test names for a category on the NT (true) or the Windows 98 (false) form.
std::string RootName(const ::testing::TestParamInfo<std::tuple<const Category*, bool>>& info);

// The texts of `list` in order, "!" marking unselected entries, "#n" an index that is
// not the entry's position.
std::string Describe(const CSelectionList* list);

}  // namespace devices_test
