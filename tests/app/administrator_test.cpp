#include <gtest/gtest.h>

#include "app/cleanerapp.h"
#include "framework/app.h"
#include "support/dialog_answerer.h"
#include "support/version_fake.h"

namespace {

using testing_support::Windows;

BOOL WINAPI NotAMember(HANDLE, PSID, PBOOL member) {
  *member = FALSE;
  return TRUE;
}

// The NT family stops a user who is not an administrator before any other window; Windows
// 98 has no such groups and shows its first guidance dialog (cancelled here).
TEST(StartupAsUser, TheNtFamilyStopsWithTheStopBoxBeforeTheGuidance) {
  for (Windows system : {Windows::Nt40, Windows::WinXp, Windows::Win98}) {
    testing_support::FakeWindowsVersion version(system);
    platform::System().CheckTokenMembership = &NotAMember;
    testing_support::DialogAnswerer answers;
    answers.Press(IDCANCEL);
    EXPECT_FALSE(CCleanerApp().InitInstance());
    ASSERT_EQ(1u, answers.Seen().size());
    const testing_support::SeenDialog& first = answers.Seen()[0];
    if (system == Windows::Win98) {
      EXPECT_EQ("Unplug The Scanner Device", first.caption);
      continue;
    }
    EXPECT_EQ("DrvPurge must be run by a member of the Administrators group.", first.text);
    EXPECT_EQ(fw::AppName(), first.caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), first.icon);
  }
}

}  // namespace
