#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "devices/device_fixture.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"

namespace {

using devices_test::Category;
using devices_test::Describe;
using devices_test::Windows;
using testing_support::KeyPresent;
using testing_support::MainDialog;

// A category on XP (NT form, SHDeleteKeyA) or on Windows 98 (9x form, RegDeleteKeyA
// deleting the whole tree as Windows 98 does).
class DeviceSelection : public ::testing::TestWithParam<std::tuple<const Category*, bool>> {
 protected:
  DeviceSelection() : m_windows(nt5() ? Windows::kXP : Windows::kWin98) {
    if (!nt5()) platform::System().RegDeleteKeyA = &devices_test::RegDeleteKeyAs9x;
  }
  const Category& category() const { return *std::get<0>(GetParam()); }
  bool nt5() const { return std::get<1>(GetParam()); }
  void Add(const char* device, const char* text) const {
    category().Add(nt5(), device, "Quillmar", text);
  }
  bool Present(const char* device) const {
    return KeyPresent(HKEY_LOCAL_MACHINE, category().DeviceKey(nt5(), device));
  }
  CDeviceGroup& Group(MainDialog& dlg) const { return category().Of(*dlg); }
  CSelectionList& List(MainDialog& dlg) const { return *Group(dlg).List(); }
  std::string Shown(MainDialog& dlg) const { return Describe(Group(dlg).List()); }

  devices_test::ScopedDeviceRegistry m_registry;
  devices_test::ScopedWindows m_windows;
};

TEST_P(DeviceSelection, MarksStayWithTheirPositionAcrossRebuilds) {
  Add("DevA", "Alpha");
  Add("DevB", "Beta");
  MainDialog dlg;
  ASSERT_TRUE(dlg.Enabled(category().box));
  EXPECT_EQ(nullptr, Group(dlg).List());
  dlg.Click(category().box);  // the first click builds the list with every entry selected
  EXPECT_EQ("Alpha,Beta", Shown(dlg));
  EXPECT_EQ(BST_CHECKED, dlg.Check(category().box));
  List(dlg)[1]->m_bSelected = 0;
  Add("DevC", "Gamma");
  Group(dlg).SetChecked(false);
  Group(dlg).Build();
  EXPECT_EQ("Alpha,!Beta,Gamma", Shown(dlg));
  EXPECT_TRUE(Group(dlg).Checked());
}

TEST_P(DeviceSelection, RemovesTheSelectedDevicesAndRenumbersTheRest) {
  Add("DevA", "Alpha");
  Add("DevB", "Beta");
  Add("DevC", "Gamma");
  if (category().instances)
    testing_support::SetString(HKEY_LOCAL_MACHINE, category().DeviceKey(nt5(), "DevC") + "\\0001",
                               category().text, "Second instance");
  MainDialog dlg;
  dlg.Click(category().box);
  List(dlg)[1]->m_bSelected = 0;

  (*dlg.*category().remove)();
  EXPECT_FALSE(Present("DevA"));
  EXPECT_TRUE(Present("DevB"));
  EXPECT_FALSE(Present("DevC"));
  EXPECT_EQ("!Beta", Shown(dlg));
  EXPECT_EQ(BST_CHECKED, dlg.Check(category().box));
  EXPECT_TRUE(dlg.Enabled(category().box));
  EXPECT_TRUE(Group(dlg).Found());

  (*dlg.*category().remove)();  // straight after: nothing left to delete
  EXPECT_TRUE(Present("DevB"));
  EXPECT_EQ("!Beta", Shown(dlg));

  List(dlg)[0]->m_bSelected = 1;
  (*dlg.*category().remove)();
  EXPECT_FALSE(Present("DevB"));
  EXPECT_EQ("", Shown(dlg));
  EXPECT_EQ(BST_UNCHECKED, dlg.Check(category().box));
  EXPECT_FALSE(dlg.Enabled(category().box));
  EXPECT_FALSE(Group(dlg).Found());
}

// Between the list and Apply the registry may change: devices go, come, and move to other
// positions, and two of them may carry the same text. The chosen entry deletes the key it
// was built from, wherever that now is, and no other.
TEST_P(DeviceSelection, TheChosenDeviceGoesWhereverItMovedAndNoOtherDoes) {
  struct Device {
    const char* key;
    const char* text;
  };
  struct Row {
    std::vector<Device> before;  // in the registry's order
    const char* chosen;          // the key of the one entry left selected
    const char* vanish;          // removed by someone else before Apply
    std::vector<Device> appear;  // installed before Apply
  } rows[] = {
      {{{"DevA", "Alpha"}, {"DevB", "Beta"}, {"DevC", "Gamma"}}, "DevB", "DevA", {}},
      {{{"DevB", "Beta"}, {"DevC", "Gamma"}}, "DevC", nullptr, {{"DevA", "Alpha"}}},
      // Two scanners of one model, and a third of it installed before them.
      {{{"DevB", "Same"}, {"DevC", "Same"}}, "DevC", nullptr, {{"DevA", "Same"}}},
      {{{"DevA", "Alpha"}, {"DevB", "Beta"}}, "DevB", "DevB", {}},  // nothing left to delete
  };
  for (const Row& row : rows) {
    devices_test::ScopedDeviceRegistry clean;
    for (const Device& device : row.before) Add(device.key, device.text);
    MainDialog dlg;
    dlg.Click(category().box);
    const std::string chosen = category().DeviceKey(nt5(), row.chosen);
    for (auto& entry : List(dlg)) entry->m_bSelected = entry->m_strKeyPath == chosen;
    if (row.vanish)
      testing_support::DeleteTree(HKEY_LOCAL_MACHINE, category().DeviceKey(nt5(), row.vanish));
    for (const Device& device : row.appear) Add(device.key, device.text);

    std::set<std::string> expected;  // the keys there after Apply
    for (const Device& device : row.before) expected.insert(device.key);
    for (const Device& device : row.appear) expected.insert(device.key);
    if (row.vanish) expected.erase(row.vanish);
    const bool deleted = expected.erase(row.chosen) == 1;

    (*dlg.*category().remove)();
    for (const char* key : {"DevA", "DevB", "DevC"})
      EXPECT_EQ(expected.count(key) == 1, Present(key)) << key << " in the row of " << row.chosen;
    // Entries whose keys are gone, deleted now or by someone else, are done.
    size_t left = 0;
    for (const Device& device : row.before) left += expected.count(device.key);
    EXPECT_EQ(left, List(dlg).size()) << row.chosen << (deleted ? " deleted" : "");
    EXPECT_TRUE(dlg.Enabled(category().box));
  }
}

// A tick belongs to a device, not to a row: when another device's key goes, a rebuild must
// not hand its tick to the device that takes its row, and Apply drops the entry of a key
// that is gone. A ticked device whose key no longer names the maker at Apply stays.
TEST_P(DeviceSelection, TicksStayWithTheirDevicesWhenTheRowsShift) {
  Add("DevA", "Alpha");
  Add("DevB", "Beta");
  Add("DevC", "Gamma");
  MainDialog dlg;
  dlg.Click(category().box);
  List(dlg)[1]->m_bSelected = false;  // Beta stays
  testing_support::DeleteTree(HKEY_LOCAL_MACHINE, category().DeviceKey(nt5(), "DevA"));
  Group(dlg).Build();  // the Detail button
  EXPECT_EQ("!Beta,Gamma", Shown(dlg));

  Add("DevD", "Delta");
  Group(dlg).Build();
  testing_support::DeleteTree(HKEY_LOCAL_MACHINE, category().DeviceKey(nt5(), "DevC"));
  // Delta is taken over by another maker's driver before Apply.
  testing_support::SetString(HKEY_LOCAL_MACHINE, category().ValueKey(nt5(), "DevD"),
                             category().maker, "Acme");
  (*dlg.*category().remove)();
  EXPECT_TRUE(Present("DevB"));
  EXPECT_TRUE(Present("DevD"));
  EXPECT_EQ("!Beta,Delta", Shown(dlg));
  EXPECT_TRUE(dlg.Enabled(category().box));

  Group(dlg).Build();
  EXPECT_EQ("!Beta", Shown(dlg));
  (*dlg.*category().remove)();
  EXPECT_TRUE(Present("DevB"));
}

TEST_P(DeviceSelection, DetailButtonShowsTheListEvenOnADisabledBox) {
  MainDialog dlg;
  EXPECT_FALSE(dlg.Enabled(category().box));  // nothing at start-up
  Add("DevA", "Alpha");
  testing_support::DialogAnswerer answer;
  answer.Press(IDCANCEL);
  answer.Press(IDOK);
  dlg.Click(category().detailButton);
  EXPECT_EQ("Alpha", Shown(dlg));
  EXPECT_EQ(BST_UNCHECKED, dlg.Check(category().box));
  dlg.Click(category().detailButton);
  EXPECT_EQ(BST_CHECKED, dlg.Check(category().box));
  EXPECT_FALSE(dlg.Enabled(category().box));
  EXPECT_EQ(0, answer.Unanswered());
}

TEST_P(DeviceSelection, RemovalWithoutAListDeletesNothing) {
  Add("DevA", "Alpha");
  CDeviceGroup group = category().Group(nt5());
  const CRemovalReport report = group.Remove();
  EXPECT_TRUE(Present("DevA"));
  EXPECT_TRUE(group.Found());
  EXPECT_FALSE(report.m_bEmpty);
  EXPECT_EQ(0, report.m_nRemoved);
  EXPECT_EQ(nullptr, group.List());
}

INSTANTIATE_TEST_SUITE_P(Roots, DeviceSelection,
                         ::testing::Combine(::testing::ValuesIn(devices_test::kCategories),
                                            ::testing::Bool()),
                         devices_test::RootName);

// On Windows 98 with Wine's NT-style RegDeleteKeyA, which keeps a key that has subkeys:
// the delete fails as it does on Windows for lack of rights.
class FailedDelete : public ::testing::TestWithParam<const Category*> {
 protected:
  devices_test::ScopedDeviceRegistry m_registry;
  devices_test::ScopedWindows m_windows{Windows::kWin98};
};

TEST_P(FailedDelete, KeepsTheEntrySelectedAndTheBoxChecked) {
  const Category& category = *GetParam();
  category.Add(false, "DevA", "Veldo", "Alpha");  // no subkey: its delete succeeds
  category.Add(false, "DevB", "Veldo", "Beta");
  testing_support::CreateKey(HKEY_LOCAL_MACHINE,
                             category.DeviceKey(false, "DevB") + "\\DeviceData");
  MainDialog dlg;
  dlg.Click(category.box);
  testing_support::DialogAnswerer answers;
  answers.Press(IDOK);
  dlg.Click(IDC_APPLY);
  ASSERT_EQ(1u, answers.Seen().size());
  EXPECT_NE(std::string::npos, answers.Seen()[0].text.find(": Windows refused the removal."));
  EXPECT_TRUE(KeyPresent(HKEY_LOCAL_MACHINE, category.DeviceKey(false, "DevB")));
  EXPECT_EQ(category.instances ? "Alpha,Beta" : "Beta", Describe(category.Of(*dlg).List()));
  EXPECT_EQ(BST_CHECKED, dlg.Check(category.box));
  EXPECT_TRUE(dlg.Enabled(category.box));
  EXPECT_TRUE(category.Of(*dlg).Found());
}

INSTANTIATE_TEST_SUITE_P(Categories, FailedDelete, ::testing::ValuesIn(devices_test::kCategories),
                         [](const ::testing::TestParamInfo<const Category*>& info) {
                           return std::string(info.param->name);
                         });

TEST(ScsiApply, OnXpTheTickedDeviceGoes) {
  devices_test::ScopedDeviceRegistry registry;
  devices_test::ScopedWindows windows(Windows::kXP);
  devices_test::kScsi.Add(true, "DevA", "Quillmar", "Alpha");
  MainDialog dlg;
  dlg.Click(IDC_CHK_SCSI);
  dlg.Click(IDC_APPLY);
  EXPECT_FALSE(KeyPresent(HKEY_LOCAL_MACHINE, devices_test::kScsi.DeviceKey(true, "DevA")));
  EXPECT_EQ("", Describe(dlg->Scsi().List()));
  EXPECT_EQ(BST_UNCHECKED, dlg.Check(IDC_CHK_SCSI));
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_SCSI));
}

TEST(LookupSelected, FirstEntryWithTheIndexDecidesAndUnknownPositionsAreSelected) {
  CSelectionList list;
  EXPECT_TRUE(LookupSelected(nullptr, 0));
  EXPECT_TRUE(LookupSelected(&list, 0));
  for (auto mark : {std::make_pair(2, false), std::make_pair(2, true), std::make_pair(0, true)})
    list.emplace_back(new CSelectionEntry{"x", mark.first, mark.second});
  EXPECT_FALSE(LookupSelected(&list, 2));
  EXPECT_TRUE(LookupSelected(&list, 0));
  EXPECT_TRUE(LookupSelected(&list, 1));
}

}  // namespace
