// The command line read, and unattended runs made in this process where the test machine
// cannot be what a script meets: a user who is not an administrator, a restart asked for.
#include <gtest/gtest.h>

#include "app/cleanerapp.h"
#include "app/commandline.h"
#include "platform/system.h"
#include "support/registry_fixture.h"
#include "support/version_fake.h"

namespace {

using Mode = CommandLine::Mode;
using testing_support::FakeWindowsVersion;
using testing_support::Windows;

struct Form {
  const char* line;
  Mode mode;
  std::vector<Item> items;
  bool restart;
  const char* report;
};

TEST(CommandLineForms, AreReadInAnyOrderWithoutRegardToCaseAndAnythingElseIsBad) {
  const Form forms[] = {
      {"", Mode::Window, {}, false, ""},
      {"  -? ", Mode::Usage, {}, false, ""},
      {"/LIST", Mode::List, {}, false, ""},
      {"-list /Report \"C:\\my reports\\a.txt\"", Mode::List, {}, false, "C:\\my reports\\a.txt"},
      {"/report a.txt /restart /items USB,inf,usb /remove", Mode::Remove,
       {Item::Usb, Item::Inf, Item::Usb}, true, "a.txt"},
      {"/items 1394,eventmanager,detector,sti,scsi,epp,aspi,sysfiles /remove", Mode::Remove,
       {Item::Ieee1394, Item::EventManager, Item::Detector, Item::StillImage, Item::Scsi, Item::Epp,
        Item::Aspi, Item::SystemFiles},
       false, ""}};
  for (const Form& form : forms) {
    const CommandLine command = ParseCommandLine(form.line);
    EXPECT_EQ(form.mode, command.mode) << form.line;
    EXPECT_EQ(form.items, command.items) << form.line;
    EXPECT_EQ(form.restart, command.restart) << form.line;
    EXPECT_EQ(form.report, command.reportPath) << form.line;
  }
  for (const char* bad :
       {"/? /list", "/list /remove", "/list /items usb", "/list /restart", "/remove /items",
        "/remove /items usb,,inf", "/remove /items usb,", "/remove /items floppy", "/remove /report",
        "/remove /report \"\"", "/remove /restart /restart", "/list /report a /report b", "list",
        "/remove now", "/report a.txt", "/", "/remove /items usb /items inf"})
    EXPECT_EQ(Mode::Bad, ParseCommandLine(bad).mode) << bad;
}

BOOL WINAPI NotAMember(HANDLE, PSID, PBOOL member) {
  *member = FALSE;
  return TRUE;
}

int g_exits = 0;
bool g_exitFails = false;
BOOL WINAPI FakeExitWindows(UINT, DWORD) {
  ++g_exits;
  return !g_exitFails;
}
LONG WINAPI Refused(HKEY, LPCSTR) { return ERROR_ACCESS_DENIED; }

class UnattendedRun : public ::testing::Test {
 protected:
  void SetUp() override {
    g_exits = 0;
    g_exitFails = false;
    platform::System().ExitWindowsEx = &FakeExitWindows;
  }
  void TearDown() override { testing_support::RemoveFile(m_report); }

  // Runs the program's command line with /report; the report's text.
  std::string Run(const std::string& arguments, int expectedCode) {
    EXPECT_EQ(expectedCode, CCleanerApp().Run(arguments + " /report \"" + m_report + "\""))
        << arguments;
    return testing_support::ReadWholeFile(m_report);
  }

  const char* const kAspi = "SYSTEM\\CurrentControlSet\\Services\\ASPI32";
  const char* const kUsb = "SYSTEM\\CurrentControlSet\\Enum\\USB\\Vid_0a3d&Pid_3300";
  testing_support::ScopedRegistry m_registry{{kAspi, kUsb}};
  const std::string m_report = testing_support::WindowsDir() + "\\Temp\\unattended-test.txt";
  platform::ScopedSystem m_restore;
};

// On the NT family /remove by anyone but an administrator touches nothing and ends with 5,
// before what it would remove is even looked for; Windows 98 has no such check. A report
// that cannot be written comes first.
TEST_F(UnattendedRun, ANonAdministratorOnTheNtFamilyGets5AndNothingIsTouched) {
  for (Windows system : {Windows::Nt40, Windows::Win2000, Windows::WinXp, Windows::Win98}) {
    FakeWindowsVersion version(system);
    platform::System().CheckTokenMembership = &NotAMember;
    testing_support::SetString(HKEY_LOCAL_MACHINE, std::string(kUsb) + "\\1", "Mfg", "Quillmar");
    const bool nt = system != Windows::Win98;
    const std::string report = Run("/remove /items usb", nt ? 5 : 0);
    EXPECT_TRUE(testing_support::KeyPresent(HKEY_LOCAL_MACHINE, kUsb))
        << testing_support::Name(system);
    if (nt) {
      EXPECT_NE(std::string::npos,
                report.find("note\ttext\tDrvPurge must be run by a member of the Administrators "
                            "group.\t\t\r\nresult\t5\r\n"));
    }
    EXPECT_EQ(87, CCleanerApp().Run("/remove /report C:\\no\\such\\folder\\r.txt"));
  }
}

// /restart asks for the restart only where the code would be 3010: 1641 once Windows took
// the request, 3010 when it refused (and the report says so), 1 when something stayed.
TEST_F(UnattendedRun, RestartIsAskedForOnlyWhenTheCodeWouldBe3010) {
  FakeWindowsVersion version(Windows::Nt40Basic);
  struct Case {
    bool refuseDelete, exitFails, restart;
    int code, exits;
    const char* says;
  } cases[] = {
      {false, false, true, 1641, 1, "note\ttext\tWindows was asked to restart.\t\t\r\n"},
      {false, true, true, 3010, 1, "Windows was not asked to restart: ExitWindowsEx failed"},
      {true, false, true, 1, 0, "aspi\titem\tASPI Registry for NT\tstayed\tWindows refused"},
      {false, false, false, 3010, 0, "aspi\tkey\tHKLM\\SYSTEM\\CurrentControlSet\\Services\\"
                                     "ASPI32\tremoved\t\r\n"},
  };
  for (const Case& c : cases) {
    testing_support::CreateKey(HKEY_LOCAL_MACHINE, kAspi);
    g_exits = 0;
    g_exitFails = c.exitFails;
    platform::System().RegDeleteKeyA =
        c.refuseDelete ? &Refused : platform::RealSystem().RegDeleteKeyA;
    const std::string report =
        Run(std::string("/remove /items aspi") + (c.restart ? " /restart" : ""), c.code);
    EXPECT_EQ(c.exits, g_exits) << c.code;
    EXPECT_NE(std::string::npos, report.find(c.says)) << report;
    const std::string last = "result\t" + std::to_string(c.code) + "\r\n";
    EXPECT_EQ(report.size() - last.size(), report.rfind(last));
  }
}

// The report's fields are separated by tabs: a tab or line break inside a device's name is
// written as a space.
TEST_F(UnattendedRun, TabsAndLineBreaksInsideAFieldAreWrittenAsSpaces) {
  FakeWindowsVersion version(Windows::WinXp);
  testing_support::SetString(HKEY_LOCAL_MACHINE, std::string(kUsb) + "\\1", "Mfg", "Quillmar");
  testing_support::SetString(HKEY_LOCAL_MACHINE, std::string(kUsb) + "\\1", "DeviceDesc",
                             "Quillmar\tQV3300\r\nUSB");
  EXPECT_NE(std::string::npos,
            Run("/list", 1).find("\r\nusb\tkey\tHKLM\\" + std::string(kUsb) +
                                 "\tpresent\tQuillmar QV3300  USB\r\n"));
}

}  // namespace
