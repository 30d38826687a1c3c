#include "platform/security.h"

#include <vector>

#include "platform/system.h"

namespace platform {

namespace {
// SE_GROUP_USE_FOR_DENY_ONLY is declared for Windows 2000 and later only.
const DWORD kDenyOnly = 0x00000010L;

// S-1-5-32-544, laid out as a SID with two subauthorities.
struct AdministratorsSid {
  BYTE revision;
  BYTE subAuthorityCount;
  SID_IDENTIFIER_AUTHORITY authority;
  DWORD subAuthority[2];
};
const AdministratorsSid kAdministrators = {
    SID_REVISION, 2, {SECURITY_NT_AUTHORITY}, {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS}};

// Compared field by field, the count first: EqualSid would be one more import.
bool IsAdministrators(const void* sid) {
  const SID* other = static_cast<const SID*>(sid);
  if (!other || other->Revision != kAdministrators.revision ||
      other->SubAuthorityCount != kAdministrators.subAuthorityCount)
    return false;
  for (int i = 0; i < 6; ++i)
    if (other->IdentifierAuthority.Value[i] != kAdministrators.authority.Value[i]) return false;
  return other->SubAuthority[0] == kAdministrators.subAuthority[0] &&
         other->SubAuthority[1] == kAdministrators.subAuthority[1];
}

bool OnNtFamily() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  return System().GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// NT 4.0 has no CheckTokenMembership: the primary token's own list of groups.
bool TokenGroupsGrantAdministrators() {
  SystemCalls& system = System();
  OwnedHandle token;
  if (!system.GetTokenInformation ||
      !system.OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.Receive()))
    return true;
  DWORD size = 0;
  system.GetTokenInformation(token.Get(), TokenGroups, nullptr, 0, &size);
  if (size < sizeof(TOKEN_GROUPS)) return true;
  std::vector<DWORD> buffer((size + sizeof(DWORD) - 1) / sizeof(DWORD));
  if (!system.GetTokenInformation(token.Get(), TokenGroups, buffer.data(), size, &size)) return true;
  const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
  return GrantsAdministrators(groups->Groups, groups->GroupCount);
}
}  // namespace

bool GrantsAdministrators(const SID_AND_ATTRIBUTES* groups, DWORD count) {
  for (DWORD i = 0; i < count; ++i) {
    if (!IsAdministrators(groups[i].Sid)) continue;
    const DWORD attributes = groups[i].Attributes;
    if ((attributes & SE_GROUP_ENABLED) && !(attributes & kDenyOnly)) return true;
  }
  return false;
}

bool RunsAsAdministrator() {
  if (!OnNtFamily()) return true;
  SystemCalls& system = System();
  if (!system.CheckTokenMembership) return TokenGroupsGrantAdministrators();
  // A null token: the thread's impersonation token, or a copy of the process's own.
  BOOL member = FALSE;
  if (!system.CheckTokenMembership(nullptr, const_cast<AdministratorsSid*>(&kAdministrators),
                                   &member))
    return true;
  return member != FALSE;
}

}  // namespace platform
