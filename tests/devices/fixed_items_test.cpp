#include <gtest/gtest.h>

#include "devices/device_fixture.h"
#include "res/resource.h"
#include "support/main_dialog.h"

namespace {

using devices_test::Windows;
using testing_support::CreateKey;
using testing_support::KeyPresent;
using testing_support::MainDialog;

bool Present(const std::string& path) { return KeyPresent(HKEY_LOCAL_MACHINE, path); }

// The 1394 trees on XP (NT form) and on Windows 98 (9x form, whole-tree RegDeleteKeyA).
class Ieee1394Data : public ::testing::TestWithParam<bool> {
 protected:
  Ieee1394Data() : m_windows(GetParam() ? Windows::kXP : Windows::kWin98) {
    if (!GetParam()) platform::System().RegDeleteKeyA = &devices_test::RegDeleteKeyAs9x;
  }
  std::string Bus() const {
    return GetParam() ? "SYSTEM\\CurrentControlSet\\Enum\\1394" : "Enum\\1394";
  }
  std::string Sbp2() const {
    return GetParam() ? "SYSTEM\\CurrentControlSet\\Enum\\SBP2" : "Enum\\SBP2";
  }

  devices_test::ScopedDeviceRegistry m_registry;
  devices_test::ScopedWindows m_windows;
};

TEST_P(Ieee1394Data, EitherTreeIsFoundAndApplyDeletesBothWhole) {
  struct Row {
    bool bus, sbp2;
  } rows[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const Row& row : rows) {
    devices_test::ScopedDeviceRegistry clean;
    // Devices of any maker go with the trees.
    if (row.bus) CreateKey(HKEY_LOCAL_MACHINE, Bus() + "\\Acme&Cam\\0000");
    if (row.sbp2) CreateKey(HKEY_LOCAL_MACHINE, Sbp2() + "\\Acme&Disk\\0000");
    MainDialog dlg;
    const bool any = row.bus || row.sbp2;
    EXPECT_EQ(any ? TRUE : FALSE, dlg->Find1394Data()) << row.bus << row.sbp2;
    EXPECT_EQ(any, dlg.Enabled(IDC_CHK_1394));
    if (!any) continue;
    dlg.Click(IDC_CHK_1394);
    dlg.Click(IDC_APPLY);
    EXPECT_FALSE(Present(Bus()));
    EXPECT_FALSE(Present(Sbp2()));
    EXPECT_FALSE(dlg.Enabled(IDC_CHK_1394));
    EXPECT_EQ(BST_UNCHECKED, dlg.Check(IDC_CHK_1394));
    EXPECT_EQ(0, dlg->m_b1394Checked);
    // Retired: a later Apply leaves new data alone.
    CreateKey(HKEY_LOCAL_MACHINE, Sbp2());
    dlg.Click(IDC_APPLY);
    EXPECT_TRUE(Present(Sbp2()));
  }
}

INSTANTIATE_TEST_SUITE_P(Roots, Ieee1394Data, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "NT" : "9x");
                         });

TEST(Ieee1394DataFailedDelete, KeepsTheBoxCheckedWhileATreeRemains) {
  devices_test::ScopedDeviceRegistry registry;
  devices_test::ScopedWindows windows(Windows::kWin98);  // Wine's RegDeleteKeyA keeps subkeys
  CreateKey(HKEY_LOCAL_MACHINE, "Enum\\1394\\Acme&Cam\\0000");
  CreateKey(HKEY_LOCAL_MACHINE, "Enum\\SBP2");
  MainDialog dlg;
  dlg.Click(IDC_CHK_1394);
  dlg.Click(IDC_APPLY);
  EXPECT_TRUE(Present("Enum\\1394\\Acme&Cam"));
  EXPECT_FALSE(Present("Enum\\SBP2"));
  EXPECT_TRUE(dlg.Enabled(IDC_CHK_1394));
  EXPECT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_1394));
  EXPECT_EQ(1, dlg->m_b1394Checked);
}

const char kClass[] = "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter";
const char kOnsio[] = "SYSTEM\\CurrentControlSet\\Services\\ONSIO";
std::string Adapter(const char* name) { return std::string(kClass) + "\\" + name; }

TEST(EPPDriver, FoundByTheSubkeyNameAlone) {
  devices_test::ScopedDeviceRegistry registry;
  CCleanerDlg dlg;
  std::vector<std::string> paths;
  EXPECT_FALSE(dlg.FindEPPDriver(&paths, TRUE));
  testing_support::SetString(HKEY_LOCAL_MACHINE, Adapter("0000"), "DriverDesc", "SimpleSCSI");
  for (const char* name :
       {"0001SimpleSCSI", "0002simplescsi", "Simple SCSI", "SimpleSCSI", "XSimpleSCSIY"})
    CreateKey(HKEY_LOCAL_MACHINE, Adapter(name));
  EXPECT_TRUE(dlg.FindEPPDriver(&paths, TRUE));
  EXPECT_EQ((std::vector<std::string>{Adapter("0001SimpleSCSI"), Adapter("SimpleSCSI"),
                                      Adapter("XSimpleSCSIY")}),
            paths);
  std::vector<std::string> untouched{"kept"};
  EXPECT_TRUE(dlg.FindEPPDriver(&untouched, FALSE));
  EXPECT_EQ(1u, untouched.size());
}

TEST(EPPDriver, Windows98DeletesTheAdapterKeysAndNoService) {
  devices_test::ScopedDeviceRegistry registry;
  devices_test::ScopedWindows windows(Windows::kWin98);
  platform::System().RegDeleteKeyA = &devices_test::RegDeleteKeyAs9x;
  CreateKey(HKEY_LOCAL_MACHINE, Adapter("0000SimpleSCSI"));
  CreateKey(HKEY_LOCAL_MACHINE, "Enum\\Root\\SCSIAdapter\\SimpleSCSI\\0000");
  CreateKey(HKEY_LOCAL_MACHINE, kOnsio);
  MainDialog dlg;
  ASSERT_TRUE(dlg.Enabled(IDC_CHK_EPP));
  dlg.Click(IDC_CHK_EPP);
  dlg.Click(IDC_APPLY);
  EXPECT_FALSE(Present(Adapter("0000SimpleSCSI")));
  EXPECT_FALSE(Present("Enum\\Root\\SCSIAdapter\\SimpleSCSI"));
  EXPECT_TRUE(Present(kOnsio));
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_EPP));
  EXPECT_EQ(BST_UNCHECKED, dlg.Check(IDC_CHK_EPP));
  EXPECT_EQ(0, dlg->m_bEPPFound);
}

TEST(EPPDriver, OneAdapterSubkeyPerApplyAndTheBoxStaysUntilTheLast) {
  devices_test::ScopedDeviceRegistry registry;
  devices_test::ScopedWindows windows(Windows::kXP);
  CreateKey(HKEY_LOCAL_MACHINE, Adapter("0000SimpleSCSI\\Settings"));
  CreateKey(HKEY_LOCAL_MACHINE, Adapter("0001SimpleSCSI"));
  CreateKey(HKEY_LOCAL_MACHINE,
            "SYSTEM\\CurrentControlSet\\Enum\\Root\\SCSIAdapter\\SimpleSCSI\\0000");
  CreateKey(HKEY_LOCAL_MACHINE, std::string(kOnsio) + "\\Enum");
  MainDialog dlg;
  dlg.Click(IDC_CHK_EPP);
  dlg.Click(IDC_APPLY);
  EXPECT_FALSE(Present(Adapter("0000SimpleSCSI")));
  EXPECT_TRUE(Present(Adapter("0001SimpleSCSI")));
  EXPECT_FALSE(Present("SYSTEM\\CurrentControlSet\\Enum\\Root\\SCSIAdapter\\SimpleSCSI"));
  EXPECT_FALSE(Present(kOnsio));
  EXPECT_TRUE(dlg.Enabled(IDC_CHK_EPP));
  EXPECT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_EPP));
  EXPECT_EQ(1, dlg->m_bEPPFound);

  dlg.Click(IDC_APPLY);
  EXPECT_FALSE(Present(Adapter("0001SimpleSCSI")));
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_EPP));
  EXPECT_EQ(BST_UNCHECKED, dlg.Check(IDC_CHK_EPP));
  EXPECT_EQ(0, dlg->m_bEPPFound);
}

TEST(EPPDriver, NtFamilyDeletesTheServiceEvenWithoutAnAdapter) {
  devices_test::ScopedDeviceRegistry registry;
  struct {
    int nt5, nt4;
  } rows[] = {{1, 0}, {0, 1}};
  for (const auto& row : rows) {
    CreateKey(HKEY_LOCAL_MACHINE, kOnsio);
    CCleanerDlg dlg;
    dlg.m_bNT5 = row.nt5;
    dlg.m_bNT4 = row.nt4;
    dlg.m_bEPPFound = 1;
    dlg.RemoveEPPDriver();
    EXPECT_FALSE(Present(kOnsio)) << row.nt5;
    EXPECT_EQ(0, dlg.m_bEPPFound);
  }
}

TEST(EPPDriver, OnNt4AnAdapterKeyWithSubkeysSurvivesAndKeepsTheBox) {
  devices_test::ScopedDeviceRegistry registry;
  CreateKey(HKEY_LOCAL_MACHINE, Adapter("0000SimpleSCSI\\Settings"));
  MainDialog dlg;
  dlg->m_bNT5 = 0;
  dlg->m_bNT4 = 1;
  dlg.Click(IDC_CHK_EPP);
  dlg.Click(IDC_APPLY);
  EXPECT_TRUE(Present(Adapter("0000SimpleSCSI")));
  EXPECT_TRUE(dlg.Enabled(IDC_CHK_EPP));
  EXPECT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_EPP));
  EXPECT_EQ(1, dlg->m_bEPPFound);
}

TEST(ASPIRegistry, Nt4DeletesTheServiceAndLeavesTheBoxChecked) {
  devices_test::ScopedDeviceRegistry registry;
  CreateKey(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\ASPI32");
  MainDialog dlg;
  dlg->m_bNT5 = 0;
  dlg->m_bNT4 = 1;
  dlg->m_bASPIFound = 1;
  dlg->SetCheck(IDC_CHK_ASPI, BST_CHECKED);
  dlg.Click(IDC_APPLY);
  EXPECT_FALSE(Present("System\\CurrentControlSet\\Services\\ASPI32"));
  EXPECT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_ASPI));
  EXPECT_EQ(0, dlg->m_bASPIFound);

  CreateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\ASPI32\\Enum");
  dlg->m_bNT5 = 1;
  EXPECT_EQ(ERROR_SUCCESS, dlg->RemoveASPIRegistry());
  EXPECT_FALSE(Present("SYSTEM\\CurrentControlSet\\Services\\ASPI32"));
}

}  // namespace
