// Whether the process runs as an administrator. On the NT family only members of the
// Administrators group may remove devices, delete below the Windows folder or change
// HKLM; Windows 95, 98 and ME have no such groups.
#pragma once
#include <windows.h>

namespace platform {

// True when `groups` (a token's TOKEN_GROUPS list) hold the Administrators group
// (S-1-5-32-544) enabled and not deny-only. A group marked deny-only, as XP's "Run as...
// protect my computer" leaves it, or not enabled grants nothing when Windows checks access.
bool GrantsAdministrators(const SID_AND_ATTRIBUTES* groups, DWORD count);

// True on Windows 95, 98 and ME; on the NT family, when the process's token counts as an
// administrator's (CheckTokenMembership where advapi32 has it, the token's groups on NT
// 4.0). True also when the token cannot be read: the removals then say what stayed.
bool RunsAsAdministrator();

}  // namespace platform
