// Device registrations on Windows 2000 and XP from outside: keys that Windows keeps empty
// offer nothing to remove, and the setupapi.dll loaded is the system's.
#include <gtest/gtest.h>

#include "e2e/scenario.h"
#include "e2e/seeded_system.h"
#include "res/resource.h"
#include "support/registry_fixture.h"

namespace e2e {
namespace {

const std::string kEnum = "SYSTEM\\CurrentControlSet\\Enum\\";

class DeviceKeys : public ::testing::TestWithParam<const char*> {
  void TearDown() override { ClearSeededSystem(); }
};

// Device and enumerator keys whose instances Windows removed, as XP keeps them.
TEST_P(DeviceKeys, EmptiedDeviceAndEnumeratorKeysOfferNothingAtStartUp) {
  for (const char* key : {"1394\\Quillmar&QV3300FW", "SBP2", "USB\\Vid_0a3d&Pid_3300"})
    testing_support::CreateKey(HKEY_LOCAL_MACHINE, kEnum + key);
  for (const char* tree : {"1394", "SBP2", "USB"})
    testing_support::GrantEnumAccess(HKEY_LOCAL_MACHINE, kEnum + tree);
  Program program;
  HWND main = OpenMainDialog(program, Version(GetParam()));
  ASSERT_TRUE(main);
  EXPECT_FALSE(IsEnabled(main, IDC_CHK_1394));
  EXPECT_FALSE(IsEnabled(main, IDC_CHK_USB));
}

INSTANTIATE_TEST_SUITE_P(Versions, DeviceKeys, ::testing::Values("win2k", "winxp"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

// A copy of the program in a folder of its own beside a stand-in setupapi.dll, which Wine
// prefers to its own there, as Windows prefers any DLL of the program's folder that is not
// one of its known DLLs.
class PlantedSetupApi : public ::testing::Test {
 protected:
  void TearDown() override {
    testing_support::DeleteTree(HKEY_CURRENT_USER, m_settings);
    ClearSeededSystem();
    for (const char* file : {kCopy, "setupapi.dll", "planted-setupapi-loaded.txt"})
      testing_support::RemoveFile(m_folder + "\\" + file);
    ::RemoveDirectoryA(m_folder.c_str());
  }
  static std::string Temp() {
    char temp[MAX_PATH] = "";
    ::GetTempPathA(sizeof(temp), temp);
    return temp;
  }
  static constexpr const char* kCopy = "DrvPurgePlanted.exe";
  const std::string m_settings = std::string("Software\\Wine\\AppDefaults\\") + kCopy;
  const std::string m_folder = Temp() + "drvpurge-planted";
};

TEST_F(PlantedSetupApi, IsNotLoadedFromTheProgramsFolder) {
  testing_support::MakeDirectories(m_folder);
  ASSERT_TRUE(::CopyFileA(ProgramPath().c_str(), (m_folder + "\\" + kCopy).c_str(), FALSE));
  ASSERT_TRUE(::CopyFileA((OwnDirectory() + "\\planted_setupapi.dll").c_str(),
                          (m_folder + "\\setupapi.dll").c_str(), FALSE));
  testing_support::SetString(HKEY_CURRENT_USER, m_settings + "\\DllOverrides", "setupapi",
                             "native,builtin");
  // The 1394 item asks SetupAPI at start-up which devices are plugged in.
  testing_support::CreateKey(HKEY_LOCAL_MACHINE, kEnum + "1394\\Quillmar&QV4800FW\\0001");
  Program program(m_folder + "\\" + kCopy);
  ASSERT_TRUE(OpenMainDialog(program, Version("winxp")));
  program.Kill();
  EXPECT_FALSE(testing_support::FilePresent(m_folder + "\\planted-setupapi-loaded.txt"));
}

}  // namespace
}  // namespace e2e
