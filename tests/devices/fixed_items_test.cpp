#include <gtest/gtest.h>

#include "devices/device_fixture.h"
#include "devices/fixeditems.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"

namespace {

using devices_test::Windows;
using testing_support::CreateKey;
using testing_support::KeyPresent;
using testing_support::MainDialog;

// The box that names after Apply what is still there.
const char kStayedIntro[] = "DrvPurge could not remove everything you chose. Still there:\n\n";

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
    EXPECT_EQ(any, dlg->Find1394Data()) << row.bus << row.sbp2;
    EXPECT_EQ(any, dlg.Enabled(IDC_CHK_1394));
    if (!any) continue;
    dlg.Click(IDC_CHK_1394);
    dlg.Click(IDC_APPLY);
    EXPECT_FALSE(Present(Bus()));
    EXPECT_FALSE(Present(Sbp2()));
    EXPECT_FALSE(dlg.Enabled(IDC_CHK_1394));
    EXPECT_EQ(BST_UNCHECKED, dlg.Check(IDC_CHK_1394));
    EXPECT_FALSE(dlg->Checked(IDC_CHK_1394));
    // Retired, its record cleared too: a later Apply leaves new data alone.
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
  testing_support::DialogAnswerer answers;
  answers.Press(IDOK);
  dlg.Click(IDC_APPLY);
  ASSERT_EQ(1u, answers.Seen().size());
  EXPECT_EQ(kStayedIntro + std::string("1394 Registered Data: Windows refused the removal."),
            answers.Seen()[0].text);
  EXPECT_TRUE(Present("Enum\\1394\\Acme&Cam"));
  EXPECT_FALSE(Present("Enum\\SBP2"));
  EXPECT_TRUE(dlg.Enabled(IDC_CHK_1394));
  EXPECT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_1394));
  EXPECT_TRUE(dlg->Checked(IDC_CHK_1394));
  // The record stays set: once the subkey is gone by other means, the next Apply finishes.
  testing_support::DeleteTree(HKEY_LOCAL_MACHINE, "Enum\\1394\\Acme&Cam");
  dlg.Click(IDC_APPLY);
  EXPECT_FALSE(Present("Enum\\1394"));
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_1394));
  EXPECT_EQ(BST_UNCHECKED, dlg.Check(IDC_CHK_1394));
}

TEST(Ieee1394DataFailedDelete, ReportsTheItemNotEmptyWhileATreeRemains) {
  devices_test::ScopedDeviceRegistry registry;
  CreateKey(HKEY_LOCAL_MACHINE, "Enum\\1394\\Acme&Cam\\0000");
  CIeee1394Data data(devices_test::VersionOf(Windows::kWin98));
  const CRemovalReport kept = data.Remove();
  EXPECT_FALSE(kept.m_bEmpty);
  EXPECT_EQ(0, kept.m_nRemoved);
  EXPECT_EQ(1, kept.m_nKept);
  testing_support::DeleteTree(HKEY_LOCAL_MACHINE, "Enum\\1394\\Acme&Cam");
  const CRemovalReport gone = data.Remove();
  EXPECT_TRUE(gone.m_bEmpty);
  EXPECT_EQ(1, gone.m_nRemoved);
  EXPECT_EQ(0, gone.m_nKept);
  EXPECT_FALSE(data.Find());
}

const char kClass[] = "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter";
const char kOnsio[] = "SYSTEM\\CurrentControlSet\\Services\\ONSIO";
std::string Adapter(const char* name) { return std::string(kClass) + "\\" + name; }

TEST(EPPDriver, FoundByTheSubkeyNameAlone) {
  devices_test::ScopedDeviceRegistry registry;
  const CEppDriver driver(devices_test::VersionOf(Windows::kXP));
  std::vector<std::string> paths;
  EXPECT_FALSE(driver.Find(&paths, true));
  testing_support::SetString(HKEY_LOCAL_MACHINE, Adapter("0000"), "DriverDesc", "SimpleSCSI");
  for (const char* name :
       {"0001SimpleSCSI", "0002simplescsi", "Simple SCSI", "SimpleSCSI", "XSimpleSCSIY"})
    CreateKey(HKEY_LOCAL_MACHINE, Adapter(name));
  EXPECT_TRUE(driver.Find(&paths, true));
  EXPECT_EQ((std::vector<std::string>{Adapter("0001SimpleSCSI"), Adapter("SimpleSCSI"),
                                      Adapter("XSimpleSCSIY")}),
            paths);
  std::vector<std::string> untouched{"kept"};
  EXPECT_TRUE(driver.Find(&untouched, false));
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
  EXPECT_FALSE(dlg->Found(IDC_CHK_EPP));
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
  testing_support::DialogAnswerer answers;
  answers.Press(IDOK);
  dlg.Click(IDC_APPLY);
  // The second adapter is still there, with no refusal to tell of.
  ASSERT_EQ(1u, answers.Seen().size());
  EXPECT_EQ(kStayedIntro + std::string("EPP Driver."), answers.Seen()[0].text);
  EXPECT_FALSE(Present(Adapter("0000SimpleSCSI")));
  EXPECT_TRUE(Present(Adapter("0001SimpleSCSI")));
  EXPECT_FALSE(Present("SYSTEM\\CurrentControlSet\\Enum\\Root\\SCSIAdapter\\SimpleSCSI"));
  EXPECT_FALSE(Present(kOnsio));
  EXPECT_TRUE(dlg.Enabled(IDC_CHK_EPP));
  EXPECT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_EPP));
  EXPECT_TRUE(dlg->Found(IDC_CHK_EPP));

  dlg.Click(IDC_APPLY);
  EXPECT_FALSE(Present(Adapter("0001SimpleSCSI")));
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_EPP));
  EXPECT_EQ(BST_UNCHECKED, dlg.Check(IDC_CHK_EPP));
  EXPECT_FALSE(dlg->Found(IDC_CHK_EPP));
}

TEST(EPPDriver, ReportsOneAdapterRemovedPerCallAndEmptyAfterTheLast) {
  devices_test::ScopedDeviceRegistry registry;
  CreateKey(HKEY_LOCAL_MACHINE, Adapter("0000SimpleSCSI"));
  CreateKey(HKEY_LOCAL_MACHINE, Adapter("0001SimpleSCSI"));
  CEppDriver driver(devices_test::VersionOf(Windows::kXP));
  struct {
    int removed, kept;
    bool empty;
  } expected[] = {{1, 1, false}, {1, 0, true}, {0, 0, true}};
  for (const auto& step : expected) {
    const CRemovalReport report = driver.Remove();
    EXPECT_EQ(step.removed, report.m_nRemoved) << (&step - expected);
    EXPECT_EQ(step.kept, report.m_nKept) << (&step - expected);
    EXPECT_EQ(step.empty, report.m_bEmpty) << (&step - expected);
  }
}

TEST(EPPDriver, NtFamilyDeletesTheServiceEvenWithoutAnAdapter) {
  devices_test::ScopedDeviceRegistry registry;
  for (Windows windows : {Windows::kXP, Windows::kNT4}) {
    CreateKey(HKEY_LOCAL_MACHINE, kOnsio);
    CEppDriver driver(devices_test::VersionOf(windows));
    const CRemovalReport report = driver.Remove();
    EXPECT_FALSE(Present(kOnsio)) << static_cast<int>(windows);
    EXPECT_TRUE(report.m_bEmpty);
    EXPECT_EQ(0, report.m_nRemoved);
  }
}

TEST(EPPDriver, OnNt4AnAdapterKeyWithSubkeysSurvivesAndKeepsTheBox) {
  devices_test::ScopedDeviceRegistry registry;
  devices_test::ScopedWindows windows(Windows::kNT4);
  CreateKey(HKEY_LOCAL_MACHINE, Adapter("0000SimpleSCSI\\Settings"));
  MainDialog dlg;
  dlg.Click(IDC_CHK_EPP);
  testing_support::DialogAnswerer answers;
  answers.Press(IDOK);
  dlg.Click(IDC_APPLY);
  ASSERT_EQ(1u, answers.Seen().size());
  EXPECT_EQ(kStayedIntro + std::string("EPP Driver: Windows refused the removal."),
            answers.Seen()[0].text);
  EXPECT_TRUE(Present(Adapter("0000SimpleSCSI")));
  EXPECT_TRUE(dlg.Enabled(IDC_CHK_EPP));
  EXPECT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_EPP));
  EXPECT_TRUE(dlg->Found(IDC_CHK_EPP));
}

TEST(ASPIRegistry, Nt4DeletesTheServiceAndLeavesTheBoxChecked) {
  devices_test::ScopedDeviceRegistry registry;
  {
    devices_test::ScopedWindows windows(Windows::kNT4);
    CreateKey(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\ASPI32");
    MainDialog dlg;
    ASSERT_TRUE(dlg.Enabled(IDC_CHK_ASPI));
    ASSERT_TRUE(dlg->Found(IDC_CHK_ASPI));
    dlg.Click(IDC_CHK_ASPI);
    ASSERT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_ASPI));
    dlg.Click(IDC_APPLY);
    EXPECT_FALSE(Present("System\\CurrentControlSet\\Services\\ASPI32"));
    EXPECT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_ASPI));
    EXPECT_FALSE(dlg->Found(IDC_CHK_ASPI));
  }

  // The NT 5 family deletes the service with its subkeys.
  CreateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\ASPI32\\Enum");
  CAspiRegistry aspi(devices_test::VersionOf(Windows::kXP));
  EXPECT_EQ(ERROR_SUCCESS, aspi.Remove());
  EXPECT_FALSE(Present("SYSTEM\\CurrentControlSet\\Services\\ASPI32"));
}

}  // namespace
