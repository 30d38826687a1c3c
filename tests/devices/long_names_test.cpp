// Key names of the longest length the registry allows (255 characters) below every key the
// program enumerates. Their full paths pass 260 characters, which some registries refuse
// as a whole: the program must still find them, delete them, and see them gone.
#include <gtest/gtest.h>

#include "devices/device_fixture.h"
#include "devices/fixeditems.h"
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
  LongDeviceNames() : m_group(category().Group(nt5())) {
    if (!nt5()) platform::System().RegDeleteKeyA = &devices_test::RegDeleteKeyAs9x;
  }
  const Category& category() const { return *std::get<0>(GetParam()); }
  bool nt5() const { return std::get<1>(GetParam()); }

  platform::ScopedSystem m_restore;
  devices_test::ScopedDeviceRegistry m_registry;
  CDeviceGroup m_group;
};

TEST_P(LongDeviceNames, AreListedRemovedAndSeenGone) {
  const std::string root = category().Root(nt5());
  const std::string name = "Dev" + std::string(252, 'n');
  category().Add(nt5(), name, "Quillmar", "Longest");
  category().Add(nt5(), "Zed", "Veldo", "Kept");
  ASSERT_GT(root.size() + 1 + name.size(), 260u);

  m_group.Build();
  ASSERT_EQ("Longest,Kept", devices_test::Describe(m_group.List()));
  m_group.List()->at(1)->m_bSelected = 0;
  m_group.Remove();

  EXPECT_FALSE(PresentBelow(root, name));
  EXPECT_TRUE(PresentBelow(root, "Zed"));
  EXPECT_EQ("!Kept", devices_test::Describe(m_group.List()));
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
  CEppDriver driver(
      devices_test::VersionOf(nt5 ? devices_test::Windows::kXP : devices_test::Windows::kWin98));

  std::vector<std::string> paths;
  EXPECT_TRUE(driver.Find(&paths, true));
  EXPECT_EQ(std::vector<std::string>{adapters + "\\" + name}, paths);
  const CRemovalReport report = driver.Remove();
  EXPECT_FALSE(PresentBelow(adapters, name));
  EXPECT_TRUE(PresentBelow(adapters, "ZZ"));
  EXPECT_FALSE(driver.Find(nullptr, false));
  EXPECT_TRUE(report.m_bEmpty);
}

INSTANTIATE_TEST_SUITE_P(Families, LongAdapterNames, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "NT" : "Win9x");
                         });

}  // namespace
