#include <gtest/gtest.h>

#include "platform/security.h"
#include "platform/system.h"
#include "support/version_fake.h"

namespace {

// SIDs as a token's group list holds them: S-1-5-32-544 and two look-alikes.
struct Sid {
  BYTE revision, count;
  SID_IDENTIFIER_AUTHORITY authority;
  DWORD parts[2];
};
Sid kAdmins = {1, 2, {SECURITY_NT_AUTHORITY}, {32, 544}};
Sid kUsers = {1, 2, {SECURITY_NT_AUTHORITY}, {32, 545}};
Sid kDomain544 = {1, 2, {SECURITY_NT_AUTHORITY}, {21, 544}};
const DWORD kOn = SE_GROUP_ENABLED | SE_GROUP_MANDATORY, kDenyOnly = 0x10;

TEST(Administrators, CountOnlyWhereTheGroupIsEnabledAndNotDenyOnly) {
  const struct { DWORD admins; bool grants; } cases[] = {
      {kOn, true}, {kDenyOnly, false}, {kDenyOnly | kOn, false}, {SE_GROUP_MANDATORY, false}};
  for (const auto& c : cases) {
    SID_AND_ATTRIBUTES groups[] = {{&kUsers, kOn}, {&kDomain544, kOn}, {&kAdmins, c.admins}};
    EXPECT_EQ(c.grants, platform::GrantsAdministrators(groups, 3)) << c.admins;
    EXPECT_FALSE(platform::GrantsAdministrators(groups, 2));  // absent
  }
}

BOOL WINAPI DenyOnlyToken(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID groups, DWORD size, PDWORD needed) {
  *needed = sizeof(TOKEN_GROUPS);
  if (size < sizeof(TOKEN_GROUPS)) return FALSE;
  *static_cast<TOKEN_GROUPS*>(groups) = {1, {{&kAdmins, kDenyOnly}}};
  return TRUE;
}

// Wine's process counts as an administrator's either way, which every end-to-end run needs.
TEST(Administrators, WithoutCheckTokenMembershipTheTokensGroupsDecide) {
  testing_support::FakeWindowsVersion nt4(testing_support::Windows::Nt40);
  EXPECT_TRUE(platform::RunsAsAdministrator());
  platform::System().CheckTokenMembership = nullptr;
  EXPECT_TRUE(platform::RunsAsAdministrator());
  platform::System().GetTokenInformation = &DenyOnlyToken;
  EXPECT_FALSE(platform::RunsAsAdministrator());
}

}  // namespace
