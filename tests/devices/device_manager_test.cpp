// Device registrations as Windows 2000 and XP keep them: below Enum an administrator may
// only read, so the program reads them with reading rights and removes devices through
// Device Manager's removal, the delete taking whatever that leaves.
//
// What Wine does and a real XP does not, and how these tests stand in for it:
// - Wine's registry grants everything: the tests give the trees XP's access list.
// - Wine's SetupAPI knows only the devices that carry a ClassGUID value, and counts each
//   of them as plugged in.
// - Wine still deletes a key that XP's list protects, and its SetupAPI reports success
//   while leaving such a key: where a test needs Windows' refusal, it refuses the call
//   itself (the registry delete, or the device removal) through the platform's entries.
#include <gtest/gtest.h>

#include "devices/device_fixture.h"
#include "devices/fixeditems.h"
#include "platform/devicemanager.h"
#include "platform/registry.h"
#include "res/resource.h"
#include "support/main_dialog.h"

namespace {

using devices_test::kUsb;
using devices_test::Windows;
using testing_support::KeyPresent;
using testing_support::MainDialog;
using testing_support::SetString;

const char kEnum[] = "SYSTEM\\CurrentControlSet\\Enum\\";
const char kImageClass[] = "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}";

bool Present(const std::string& path) { return KeyPresent(HKEY_LOCAL_MACHINE, path); }
void GrantEnumAccess(const char* tree) {
  testing_support::GrantEnumAccess(HKEY_LOCAL_MACHINE, std::string(kEnum) + tree);
}

// Windows refusing every registry tree delete, or only that of keys named SimpleSCSI.
LONG WINAPI RefuseDelete(HKEY, LPCSTR) { return ERROR_ACCESS_DENIED; }
LONG WINAPI RefuseAdapterDelete(HKEY parent, LPCSTR name) {
  if (::lstrcmpiA(name, "SimpleSCSI") == 0) return ERROR_ACCESS_DENIED;
  return platform::RealSystem().SHDeleteKeyA(parent, name);
}

int g_refusedRemovals = 0;
BOOL WINAPI RefuseRemoval(DI_FUNCTION, HDEVINFO, PSP_DEVINFO_DATA) {
  ++g_refusedRemovals;
  ::SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

class XpDevices : public ::testing::Test {
 protected:
  XpDevices() : m_windows(Windows::kXP) {}

  // A USB device of the maker; `known` gives it the ClassGUID by which SetupAPI knows it.
  static void AddUsb(const char* device, const char* text, bool known) {
    kUsb.Add(true, device, "Quillmar", text);
    if (known) SetString(HKEY_LOCAL_MACHINE, kUsb.ValueKey(true, device), "ClassGUID", kImageClass);
  }
  static bool UsbPresent(const char* device) { return Present(kUsb.DeviceKey(true, device)); }

  devices_test::ScopedDeviceRegistry m_registry;
  devices_test::ScopedWindows m_windows;
  platform::ScopedSystem m_system;
  platform::ScopedSetupApi m_setupApi;
};

TEST_F(XpDevices, ReadOnlyRegistrationsAreFoundListedAndRemoved) {
  AddUsb("Vid_0a3d&Pid_3300", "Quillmar QV3300", true);
  kUsb.Add(true, "Vid_0b1e&Pid_0101", "Nordlicht Optics", "Nordlicht Mouse");
  GrantEnumAccess("USB");
  ASSERT_FALSE(platform::KeyExists(HKEY_LOCAL_MACHINE, kUsb.Root(true), KEY_ALL_ACCESS));

  MainDialog dlg;
  ASSERT_TRUE(dlg.Enabled(IDC_CHK_USB));
  dlg.Click(IDC_CHK_USB);
  EXPECT_EQ("Quillmar QV3300", devices_test::Describe(dlg->Usb().List()));
  dlg->RemoveUSBScanners();
  EXPECT_FALSE(UsbPresent("Vid_0a3d&Pid_3300"));
  EXPECT_TRUE(UsbPresent("Vid_0b1e&Pid_0101"));
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_USB));
}

// With the registry delete refused, only Device Manager's removal can take a device: the
// one SetupAPI knows goes, the other stays listed, ticked, its box checked and enabled.
TEST_F(XpDevices, DevicesGoThroughDeviceManagerAndWhatStaysStaysChosen) {
  AddUsb("Vid_0a3d&Pid_3300", "Known", true);
  AddUsb("Vid_0a3d&Pid_3301", "Unknown", false);
  platform::System().SHDeleteKeyA = &RefuseDelete;

  MainDialog dlg;
  dlg.Click(IDC_CHK_USB);
  dlg->RemoveUSBScanners();
  EXPECT_FALSE(UsbPresent("Vid_0a3d&Pid_3300"));
  EXPECT_TRUE(UsbPresent("Vid_0a3d&Pid_3301"));
  EXPECT_EQ("Unknown", devices_test::Describe(dlg->Usb().List()));
  EXPECT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_USB));
  EXPECT_TRUE(dlg.Enabled(IDC_CHK_USB));
}

// A device that Device Manager will not remove is deleted from the registry, below a
// parent opened only to read, as XP's list allows.
TEST_F(XpDevices, DeviceManagersRefusalFallsBackToTheDelete) {
  AddUsb("Vid_0a3d&Pid_3300", "Known", true);
  GrantEnumAccess("USB");
  platform::SetupApiEntries().CallClassInstaller = &RefuseRemoval;
  g_refusedRemovals = 0;

  MainDialog dlg;
  dlg.Click(IDC_CHK_USB);
  dlg->RemoveUSBScanners();
  EXPECT_EQ(1, g_refusedRemovals);
  EXPECT_FALSE(UsbPresent("Vid_0a3d&Pid_3300"));
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_USB));
}

// The 1394 trees go whole but for another maker's device that is plugged in: removing it
// would stop it. One that is not plugged in (unknown to Wine's SetupAPI) goes.
TEST_F(XpDevices, PluggedInDeviceOfAnotherMakerStaysInThe1394Tree) {
  const std::string bus = std::string(kEnum) + "1394\\";
  SetString(HKEY_LOCAL_MACHINE, bus + "Quillmar&QV3300FW\\0001", "Mfg", "Quillmar");
  SetString(HKEY_LOCAL_MACHINE, bus + "Quillmar&QV3300FW\\0001", "ClassGUID", kImageClass);
  SetString(HKEY_LOCAL_MACHINE, bus + "Acme&Cam\\0001", "Mfg", "Acme");
  SetString(HKEY_LOCAL_MACHINE, bus + "Acme&Cam\\0001", "ClassGUID", kImageClass);
  SetString(HKEY_LOCAL_MACHINE, bus + "Acme&Cam\\0001\\Device Parameters", "Speed", "400");
  SetString(HKEY_LOCAL_MACHINE, bus + "Acme&Old\\0001", "Mfg", "Acme");
  SetString(HKEY_LOCAL_MACHINE, std::string(kEnum) + "SBP2\\Acme&Disk\\0001", "Mfg", "Acme");
  GrantEnumAccess("1394");
  GrantEnumAccess("SBP2");

  MainDialog dlg;
  ASSERT_TRUE(dlg.Enabled(IDC_CHK_1394));
  dlg.Click(IDC_CHK_1394);
  dlg->Remove1394Data();
  EXPECT_FALSE(Present(bus + "Quillmar&QV3300FW"));
  EXPECT_FALSE(Present(bus + "Acme&Old"));
  EXPECT_TRUE(Present(bus + "Acme&Cam\\0001\\Device Parameters"));
  EXPECT_FALSE(Present(std::string(kEnum) + "SBP2"));
  // Nothing is left that the item may remove.
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_1394));
  EXPECT_FALSE(dlg->Find1394Data());
}

// The root-enumerated adapter is part of the driver: while Windows refuses its delete,
// the item stays checked for the next Apply, which takes it once Windows lets it go.
TEST_F(XpDevices, EppStaysCheckedWhileItsAdapterKeyRemains) {
  SetString(HKEY_LOCAL_MACHINE,
            "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter\\SimpleSCSI-0", "DriverDesc",
            "Quillmar EPP");
  const std::string adapter = std::string(kEnum) + "Root\\SCSIAdapter\\SimpleSCSI";
  SetString(HKEY_LOCAL_MACHINE, adapter + "\\0000", "DeviceDesc", "Quillmar EPP");
  GrantEnumAccess("Root\\SCSIAdapter");
  platform::System().SHDeleteKeyA = &RefuseAdapterDelete;

  MainDialog dlg;
  ASSERT_TRUE(dlg.Enabled(IDC_CHK_EPP));
  dlg.Click(IDC_CHK_EPP);
  dlg->RemoveEPPDriver();
  EXPECT_TRUE(Present(adapter));
  EXPECT_EQ(BST_CHECKED, dlg.Check(IDC_CHK_EPP));
  EXPECT_TRUE(dlg.Enabled(IDC_CHK_EPP));
  {
    MainDialog next;  // the adapter key alone keeps the item at the next start-up
    EXPECT_TRUE(next.Enabled(IDC_CHK_EPP));
  }

  platform::System().SHDeleteKeyA = platform::RealSystem().SHDeleteKeyA;
  dlg->RemoveEPPDriver();
  EXPECT_FALSE(Present(adapter));
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_EPP));
}

}  // namespace
