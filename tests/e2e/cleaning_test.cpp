// A cleaning run from outside, as a user does it: the still-image devices of the maker
// and of another maker are registered; the user opens Detail, unticks one device, presses
// OK, then Apply, then Exit. Only the ticked device goes.
#include <gtest/gtest.h>

#include "e2e/scenario.h"
#include "res/resource.h"
#include "support/registry_fixture.h"

namespace e2e {
namespace {

struct CleaningCase {
  const char* version;
  const char* classKey;  // the still-image class key the program reads on that system
};

void PrintTo(const CleaningCase& c, std::ostream* out) { *out << c.version; }

class StillImageCleaning : public ::testing::TestWithParam<CleaningCase> {
 protected:
  void SetUp() override {
    root = GetParam().classKey;
    testing_support::DeleteTree(HKEY_LOCAL_MACHINE, root);
    Seed("0000", "Quillmar Inc.", "Quillmar Scanner One");
    Seed("0001", "Acme Imaging", "Acme Camera");
    Seed("0002", "Veldo", "Veldo Scanner Two");
  }
  void TearDown() override { testing_support::DeleteTree(HKEY_LOCAL_MACHINE, root); }

  void Seed(const char* instance, const char* vendor, const char* name) {
    testing_support::SetString(HKEY_LOCAL_MACHINE, root + "\\" + instance, "Vendor", vendor);
    testing_support::SetString(HKEY_LOCAL_MACHINE, root + "\\" + instance, "FriendlyName", name);
  }
  bool Present(const char* instance) {
    return testing_support::KeyPresent(HKEY_LOCAL_MACHINE, root + "\\" + instance);
  }

  std::string root;
};

TEST_P(StillImageCleaning, RemovesOnlyTheTickedDeviceAndAsksToRestart) {
  Program program;
  HWND main = OpenMainDialog(program, Version(GetParam().version));
  ASSERT_TRUE(main);
  EXPECT_TRUE(IsEnabled(main, IDC_CHK_STI));
  EXPECT_EQ(BST_UNCHECKED, CheckState(main, IDC_CHK_STI));

  Command(main, IDC_DETAIL_STI);
  HWND detail = program.WaitForWindow("Detail Items");
  ASSERT_TRUE(detail);
  HWND list = Control(detail, IDC_DETAIL_LIST);
  ASSERT_TRUE(WaitUntil([&] { return ::SendMessageA(list, LB_GETCOUNT, 0, 0) == 2; }));
  ASSERT_TRUE(PressTick(list, 1));  // the Veldo scanner
  // The toggle is made when the press arrives; wait until the list has handled it.
  ASSERT_TRUE(WaitUntil([&] { return ::SendMessageA(list, LB_GETCURSEL, 0, 0) == 1; }));
  Click(detail, IDOK);
  ASSERT_TRUE(program.WaitForWindowGone(detail));
  EXPECT_TRUE(WaitUntil([&] { return CheckState(main, IDC_CHK_STI) == BST_INDETERMINATE; }));

  Command(main, IDC_APPLY);
  EXPECT_TRUE(WaitUntil([&] { return !Present("0000"); }));
  EXPECT_TRUE(Present("0001"));  // another maker's camera
  EXPECT_TRUE(Present("0002"));  // unticked
  EXPECT_TRUE(IsEnabled(main, IDC_CHK_STI));
  EXPECT_NE(BST_UNCHECKED, CheckState(main, IDC_CHK_STI));

  LeaveAnsweringNo(program, main);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, StillImageCleaning,
    ::testing::Values(
        CleaningCase{"win98", "System\\CurrentControlSet\\Services\\Class\\Image"},
        CleaningCase{"winxp",
                     "SYSTEM\\CurrentControlSet\\Control\\Class\\{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}"}),
    [](const ::testing::TestParamInfo<CleaningCase>& info) {
      return std::string(info.param.version);
    });

}  // namespace
}  // namespace e2e
