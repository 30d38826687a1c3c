#include <gtest/gtest.h>

#include <vector>

#include "platform/security.h"
#include "platform/system.h"
#include "support/version_fake.h"

namespace {

// SIDs laid out as a token's group list holds them: S-1-5-32-544 and look-alikes.
struct TwoPartSid {
  BYTE revision, count;
  SID_IDENTIFIER_AUTHORITY authority;
  DWORD parts[2];
};
TwoPartSid kAdministrators = {1, 2, {SECURITY_NT_AUTHORITY}, {32, 544}};
TwoPartSid kUsers = {1, 2, {SECURITY_NT_AUTHORITY}, {32, 545}};
TwoPartSid kDomainRid544 = {1, 2, {SECURITY_NT_AUTHORITY}, {21, 544}};

const DWORD kEnabled = SE_GROUP_ENABLED | SE_GROUP_ENABLED_BY_DEFAULT | SE_GROUP_MANDATORY;
const DWORD kDenyOnly = 0x10;  // SE_GROUP_USE_FOR_DENY_ONLY

struct GroupsCase {
  const char* name;
  DWORD adminAttributes;  // 0: the group is not in the list
  bool grants;
};

std::vector<SID_AND_ATTRIBUTES> Groups(DWORD adminAttributes) {
  std::vector<SID_AND_ATTRIBUTES> groups = {{&kUsers, kEnabled}, {&kDomainRid544, kEnabled}};
  if (adminAttributes) groups.push_back({&kAdministrators, adminAttributes});
  return groups;
}

TEST(Administrators, CountOnlyWhereTheGroupIsEnabledAndNotDenyOnly) {
  const GroupsCase cases[] = {
      {"enabled", kEnabled, true},
      // XP's "Run as... protect my computer" leaves the group for deny checks only.
      {"deny-only", kDenyOnly | SE_GROUP_MANDATORY, false},
      {"deny-only, enabled bit set", kDenyOnly | kEnabled, false},
      {"disabled", SE_GROUP_MANDATORY, false},
      {"absent", 0, false},
  };
  for (const GroupsCase& c : cases) {
    const std::vector<SID_AND_ATTRIBUTES> groups = Groups(c.adminAttributes);
    EXPECT_EQ(c.grants, platform::GrantsAdministrators(groups.data(), static_cast<DWORD>(groups.size())))
        << c.name;
  }
}

// NT 4.0 has no CheckTokenMembership: the token's own groups decide.
BOOL WINAPI DenyOnlyGroups(HANDLE, TOKEN_INFORMATION_CLASS kind, LPVOID buffer, DWORD length,
                           PDWORD returned) {
  *returned = sizeof(TOKEN_GROUPS);
  if (kind != TokenGroups || length < sizeof(TOKEN_GROUPS)) return FALSE;
  auto* groups = static_cast<TOKEN_GROUPS*>(buffer);
  groups->GroupCount = 1;
  groups->Groups[0] = {&kAdministrators, kDenyOnly};
  return TRUE;
}

TEST(Administrators, WithoutCheckTokenMembershipTheTokensGroupsDecide) {
  testing_support::FakeWindowsVersion nt4(testing_support::Windows::Nt40);
  platform::System().CheckTokenMembership = nullptr;
  // Wine's process is an administrator's, which every end-to-end run relies on.
  EXPECT_TRUE(platform::RunsAsAdministrator());
  platform::System().GetTokenInformation = &DenyOnlyGroups;
  EXPECT_FALSE(platform::RunsAsAdministrator());
}

TEST(Administrators, WinesProcessCountsThroughCheckTokenMembership) {
  testing_support::FakeWindowsVersion xp(testing_support::Windows::WinXp);
  ASSERT_TRUE(platform::System().CheckTokenMembership);
  EXPECT_TRUE(platform::RunsAsAdministrator());
}

}  // namespace
