// Start-up for a user who is not an administrator: on the NT family the program says so
// and ends before any other window; Windows 9x has no such groups and starts as ever.
#include <gtest/gtest.h>

#include "app/cleanerapp.h"
#include "framework/app.h"
#include "platform/system.h"
#include "support/dialog_answerer.h"
#include "support/version_fake.h"

namespace {

using testing_support::Windows;

// What a token without the Administrators group answers.
BOOL WINAPI NotAMember(HANDLE, PSID, PBOOL member) {
  *member = FALSE;
  return TRUE;
}

TEST(StartupAsUser, TheNtFamilyStopsWithTheStopBoxBeforeTheGuidance) {
  for (Windows system : {Windows::Nt40, Windows::WinXp, Windows::Win98}) {
    SCOPED_TRACE(testing_support::Name(system));
    testing_support::FakeWindowsVersion version(system);
    platform::System().CheckTokenMembership = &NotAMember;
    testing_support::DialogAnswerer answers;
    answers.Press(IDCANCEL);  // the box's OK, or Cancel in the first guidance dialog
    CCleanerApp app;
    EXPECT_FALSE(app.InitInstance());
    ASSERT_EQ(1u, answers.Seen().size());
    if (system == Windows::Win98) {
      EXPECT_EQ("Unplug The Scanner Device", answers.Seen()[0].caption);
      continue;
    }
    EXPECT_EQ("DrvPurge must be run by a member of the Administrators group.",
              answers.Seen()[0].text);
    EXPECT_EQ(fw::AppName(), answers.Seen()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), answers.Seen()[0].icon);
  }
}

}  // namespace
