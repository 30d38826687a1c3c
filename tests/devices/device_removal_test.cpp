// Device removal on XP where Windows refuses it, finishes it at the restart or keeps keys
// that Wine would delete: SetupAPI's answers come through the program's entries, the
// refused registry delete through System().
#include <gtest/gtest.h>

#include "devices/device_fixture.h"
#include "platform/devicemanager.h"
#include "platform/registry.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"

namespace {

using devices_test::Describe;
using devices_test::kScsi;
using devices_test::kUsb;
using testing_support::MainDialog;
using testing_support::SetString;

const std::string kBus = "SYSTEM\\CurrentControlSet\\Enum\\1394\\";
const char kImageClass[] = "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}";
platform::SetupApiCalls g_real;
int g_sets = 0, g_removals = 0;
DWORD g_error = ERROR_SUCCESS;

bool Present(const std::string& path) {
  return testing_support::KeyPresent(HKEY_LOCAL_MACHINE, path);
}
LONG WINAPI RefuseDelete(HKEY, LPCSTR) { return ERROR_ACCESS_DENIED; }
HDEVINFO WINAPI RefuseList(const GUID*, PCSTR, HWND, DWORD) { return INVALID_HANDLE_VALUE; }
// Counts the sets; no device is plugged in.
HDEVINFO WINAPI Unplugged(const GUID* guid, PCSTR enumerator, HWND parent, DWORD flags) {
  ++g_sets;
  if (!(flags & DIGCF_PRESENT)) return g_real.GetClassDevsA(guid, enumerator, parent, flags);
  using Create = HDEVINFO(WINAPI*)(const GUID*, HWND);
  return reinterpret_cast<Create>(reinterpret_cast<void*>(::GetProcAddress(
      ::GetModuleHandleA("setupapi.dll"), "SetupDiCreateDeviceInfoList")))(nullptr, nullptr);
}
// Fails with g_error; without one, succeeds and leaves the device to Windows.
BOOL WINAPI Answer(DI_FUNCTION, HDEVINFO, PSP_DEVINFO_DATA) {
  ++g_removals;
  ::SetLastError(g_error);
  return g_error == ERROR_SUCCESS;
}
// XP's removal: the instance key goes, the device and enumerator keys stay.
BOOL WINAPI RemoveInstanceOnly(DI_FUNCTION, HDEVINFO set, PSP_DEVINFO_DATA device) {
  char id[512];
  if (!g_real.GetDeviceInstanceIdA(set, device, id, sizeof(id), nullptr)) return FALSE;
  testing_support::DeleteTree(HKEY_LOCAL_MACHINE, platform::DeviceKeyPath(id));
  return TRUE;
}
BOOL WINAPI AskForRestart(HDEVINFO, PSP_DEVINFO_DATA, PSP_DEVINSTALL_PARAMS_A params) {
  params->Flags |= DI_NEEDREBOOT;
  return TRUE;
}

class DeviceRemoval : public ::testing::Test {
 protected:
  DeviceRemoval() : m_windows(devices_test::Windows::kXP) {
    g_real = platform::SetupApiEntries();
    g_sets = g_removals = 0;
    g_error = ERROR_SUCCESS;
  }
  // A device instance; Wine's SetupAPI knows it, and counts it as plugged in, by its class.
  static void Add(const std::string& instance, const char* mfg, const char* text,
                  bool known = true) {
    SetString(HKEY_LOCAL_MACHINE, instance, "Mfg", mfg);
    SetString(HKEY_LOCAL_MACHINE, instance, "DeviceDesc", text);
    if (known) SetString(HKEY_LOCAL_MACHINE, instance, "ClassGUID", kImageClass);
  }
  static void AddUsb(const char* device) { Add(kUsb.ValueKey(true, device), "Quillmar", device); }

  devices_test::ScopedDeviceRegistry m_registry;
  devices_test::ScopedWindows m_windows;
  platform::ScopedSystem m_system;
  platform::ScopedSetupApi m_setupApi;
};

// With the delete refused only Device Manager's removal takes them, from one set.
TEST_F(DeviceRemoval, OneSetPerEnumeratorTakesEveryTickedDevicePluggedInOrNot) {
  for (const char* device : {"Vid_0a3d&Pid_3300", "Vid_0a3d&Pid_3301", "Vid_0a3d&Pid_3302"})
    AddUsb(device);
  platform::System().SHDeleteKeyA = &RefuseDelete;
  platform::SetupApiEntries().GetClassDevsA = &Unplugged;
  MainDialog dlg;
  dlg.Click(IDC_CHK_USB);
  g_sets = 0;
  dlg->RemoveUSBScanners();
  EXPECT_EQ(1, g_sets);
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_USB));
}

// Its keys stay for Windows; nothing brings it back or asks again, not even its tree's
// removal.
TEST_F(DeviceRemoval, ARemovalFinishedAtTheRestartIsDoneAndNotTriedAgain) {
  AddUsb("Vid_0a3d&Pid_3300");
  platform::SetupApiEntries().CallClassInstaller = &Answer;
  platform::SetupApiEntries().GetDeviceInstallParamsA = &AskForRestart;
  MainDialog dlg;
  dlg.Click(IDC_CHK_USB);
  testing_support::DialogAnswerer answers;
  answers.Press(IDNO);
  // Done, so not named as stayed; Select All finds nothing to remove, yet leaving still
  // offers the restart that Windows asked for.
  dlg.Click(IDC_APPLY);
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_USB));
  dlg.Click(IDC_SELECTALL);
  EXPECT_FALSE(dlg.Enabled(IDC_CHK_USB));
  EXPECT_TRUE(answers.Seen().empty());
  dlg->PromptRestart();
  ASSERT_EQ(1u, answers.Seen().size());
  EXPECT_EQ(0u, answers.Seen()[0].text.find("System is cleaned"));
  platform::DeleteDeviceKeys(true, {kUsb.Root(true)});
  EXPECT_EQ(1, g_removals);
  EXPECT_TRUE(Present(kUsb.ValueKey(true, "Vid_0a3d&Pid_3300")));
}

TEST_F(DeviceRemoval, WhatStaysIsCountedWithWindowsReason) {
  struct Row {
    DWORD error;  // ERROR_SUCCESS: reported removed, its key kept
    bool deleteRefused;
    unsigned reasons;  // 0: nothing stayed
  } rows[] = {{ERROR_ACCESS_DENIED, true, kStayNotAdministrator},
              {ERROR_IN_WOW64, true, kStayWow64},
              {ERROR_GEN_FAILURE, true, kStayRefused},
              {ERROR_SUCCESS, true, kStayRefused},
              {ERROR_IN_WOW64, false, 0}};
  platform::SetupApiEntries().CallClassInstaller = &Answer;
  for (const Row& row : rows) {
    AddUsb("Vid_0a3d&Pid_3300");
    g_error = row.error;
    platform::System().SHDeleteKeyA =
        row.deleteRefused ? &RefuseDelete : platform::RealSystem().SHDeleteKeyA;
    CDeviceGroup usb = kUsb.Group(true);
    usb.Build();
    const CRemovalReport report = usb.Remove();
    EXPECT_EQ(row.reasons ? 1 : 0, report.m_nStayed) << row.error;
    EXPECT_EQ(row.reasons, report.m_stayReasons) << row.error;
  }
}

// Keys that XP keeps emptied and refuses to the delete hold nothing to remove.
TEST_F(DeviceRemoval, EmptiedDeviceAndEnumeratorKeysKeepNoItemOpen) {
  AddUsb("Vid_0a3d&Pid_3300");
  Add(kBus + "Quillmar&QV3300FW\\0001", "Quillmar", "QV3300");
  platform::System().SHDeleteKeyA = &RefuseDelete;
  platform::SetupApiEntries().CallClassInstaller = &RemoveInstanceOnly;
  {
    MainDialog dlg;
    dlg.Click(IDC_CHK_USB);
    dlg.Click(IDC_CHK_1394);
    dlg.Click(IDC_APPLY);
    EXPECT_TRUE(Present(kBus + "Quillmar&QV3300FW"));
    for (int box : {IDC_CHK_USB, IDC_CHK_1394}) EXPECT_FALSE(dlg.Enabled(box)) << box;
  }
  MainDialog next;
  for (int box : {IDC_CHK_USB, IDC_CHK_1394}) EXPECT_FALSE(next.Enabled(box)) << box;
}

// Another maker's plugged-in 1394 device stays, the maker known by either value; when
// SetupAPI cannot say which are plugged in, every other maker's device stays.
TEST_F(DeviceRemoval, The1394ItemSparesEveryOtherMakersDeviceItCannotTellUnplugged) {
  struct Device {
    const char *key, *mfg, *text;
    bool plugged, goes[3];  // SetupAPI lists the plugged-in ones; is missing; refuses
  } devices[] = {{"Quillmar&QV3300FW", "Quillmar", "QV3300", false, {true, true, true}},
                 {"Generic&QV4800FW", "(Standard)", "Quillmar QV4800", true, {true, true, true}},
                 {"Acme&Cam", "Acme", "Acme Camera", true, {false, false, false}},
                 {"Acme&Old", "Acme", "Acme Disk", false, {true, false, false}}};
  for (int way = 0; way < 3; ++way) {
    devices_test::ScopedDeviceRegistry clean;
    platform::ScopedSetupApi restore;
    for (const Device& d : devices) Add(kBus + d.key + "\\0001", d.mfg, d.text, d.plugged);
    if (way > 0) platform::SetupApiEntries().GetClassDevsA = way == 1 ? nullptr : &RefuseList;
    MainDialog dlg;
    dlg.Click(IDC_CHK_1394);
    dlg->Remove1394Data();
    for (const Device& d : devices)
      EXPECT_EQ(!d.goes[way], Present(kBus + d.key)) << d.key << " way " << way;
    EXPECT_FALSE(dlg.Enabled(IDC_CHK_1394)) << way;
  }
}

// A ticked SCSI scanner goes on XP too, taking no device whose identifier begins alike.
TEST_F(DeviceRemoval, ATickedScsiScannerGoesAndNoOtherWhoseNameBeginsAlike) {
  for (const char* device :
       {"Scanner&Ven_QUILLMAR&Prod_QS", "Scanner&Ven_QUILLMAR&Prod_QS-2400"})
    Add(kScsi.ValueKey(true, device), "Quillmar", device);
  platform::System().SHDeleteKeyA = &RefuseDelete;
  MainDialog dlg;
  dlg.Click(IDC_CHK_SCSI);
  dlg->Scsi().List()->at(1)->m_bSelected = false;
  dlg.Click(IDC_APPLY);
  EXPECT_FALSE(Present(kScsi.DeviceKey(true, "Scanner&Ven_QUILLMAR&Prod_QS")));
  EXPECT_TRUE(Present(kScsi.DeviceKey(true, "Scanner&Ven_QUILLMAR&Prod_QS-2400")));
}

}  // namespace
