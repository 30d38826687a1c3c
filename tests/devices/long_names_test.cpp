// Key names of the longest length the registry allows (255 characters) below every key the
// program enumerates. Their full paths pass 260 characters, which some registries refuse
// as a whole: the program must still find them, delete them, and see them gone.
#include <gtest/gtest.h>

#include "devices/device_fixture.h"
#include "platform/registry.h"

namespace {

using devices_test::Category;

// Creates `name` (and its subkey `child`, when given) below `parent`, relative to it.
HKEY CreateBelow(const std::string& parent, const std::string& name, const char* child = nullptr) {
  testing_support::CreateKey(HKEY_LOCAL_MACHINE, parent);
  platform::RegKey root;
  if (!root.Open(HKEY_LOCAL_MACHINE, parent, KEY_ALL_ACCESS)) return nullptr;
  HKEY key = nullptr;
  const std::string path = child ? name + "\\" + child : name;
  ::RegCreateKeyExA(root.Handle(), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
  return key;
}

bool PresentBelow(const std::string& parent, const std::string& name) {
  platform::RegKey root, key;
  return root.Open(HKEY_LOCAL_MACHINE, parent, KEY_READ) &&
         key.Open(root.Handle(), name, KEY_READ);
}

class LongDeviceNames : public ::testing::TestWithParam<std::tuple<const Category*, bool>> {
 protected:
  LongDeviceNames() {
    if (!nt5()) platform::System().RegDeleteKeyA = &devices_test::RegDeleteKeyAs9x;
    m_dlg.m_bNT5 = nt5();
    m_dlg.m_bWin98 = !nt5();
  }
  const Category& category() const { return *std::get<0>(GetParam()); }
  bool nt5() const { return std::get<1>(GetParam()); }

  platform::ScopedSystem m_restore;
  devices_test::ScopedDeviceRegistry m_registry;
  CCleanerDlg m_dlg;
};

TEST_P(LongDeviceNames, AreListedRemovedAndSeenGone) {
  const std::string root = category().Root(nt5());
  const std::string name = "Dev" + std::string(252, 'n');
  category().Add(nt5(), name, "Quillmar", "Longest");
  category().Add(nt5(), "Zed", "Veldo", "Kept");
  ASSERT_GT(root.size() + 1 + name.size(), 260u);

  (m_dlg.*category().build)();
  ASSERT_EQ("Longest,Kept", devices_test::Describe((m_dlg.*category().list).get()));
  (*(m_dlg.*category().list))[1]->m_bSelected = 0;
  (m_dlg.*category().remove)();

  EXPECT_FALSE(PresentBelow(root, name));
  EXPECT_TRUE(PresentBelow(root, "Zed"));
  EXPECT_EQ("!Kept", devices_test::Describe((m_dlg.*category().list).get()));
}

INSTANTIATE_TEST_SUITE_P(Roots, LongDeviceNames,
                         ::testing::Combine(::testing::ValuesIn(devices_test::kCategories),
                                            ::testing::Bool()),
                         devices_test::RootName);

// The adapter class key of the parallel-port driver, on both families.
class LongAdapterNames : public ::testing::TestWithParam<bool> {};

TEST_P(LongAdapterNames, AreFoundAndTheFirstIsRemoved) {
  const bool nt5 = GetParam();
  platform::ScopedSystem restore;
  if (!nt5) platform::System().RegDeleteKeyA = &devices_test::RegDeleteKeyAs9x;
  devices_test::ScopedDeviceRegistry registry;
  const std::string adapters = "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter";
  const std::string name = std::string(245, 'a') + "SimpleSCSI";
  ::RegCloseKey(CreateBelow(adapters, name, "0000"));
  ::RegCloseKey(CreateBelow(adapters, "ZZ", nullptr));
  CCleanerDlg dlg;
  dlg.m_bNT5 = nt5;
  dlg.m_bWin98 = !nt5;

  std::vector<std::string> paths;
  EXPECT_TRUE(dlg.FindEPPDriver(&paths, TRUE));
  EXPECT_EQ(std::vector<std::string>{adapters + "\\" + name}, paths);
  dlg.RemoveEPPDriver();
  EXPECT_FALSE(PresentBelow(adapters, name));
  EXPECT_TRUE(PresentBelow(adapters, "ZZ"));
  EXPECT_FALSE(dlg.FindEPPDriver(nullptr, FALSE));
  EXPECT_EQ(0, dlg.m_bEPPFound);
}

INSTANTIATE_TEST_SUITE_P(Families, LongAdapterNames, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "NT" : "Win9x");
                         });

}  // namespace
