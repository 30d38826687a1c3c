// DrvPurge from a command line: /list and /remove, without a window, a guidance dialog or a
// message box, with a report and an exit code that a script can act on.
#pragma once
#include "app/commandline.h"

// The exit codes, by precedence: the first that applies is the program's.
const int kExitBadCommandLine = 87;        // ERROR_INVALID_PARAMETER, or the report unwritable
const int kExitNotAdministrator = 5;       // ERROR_ACCESS_DENIED, the NT family only
const int kExitFoundOrStayed = 1;          // /list found something; /remove left something chosen
const int kExitRestarting = 1641;          // ERROR_SUCCESS_REBOOT_INITIATED
const int kExitRestartNeeded = 3010;       // ERROR_SUCCESS_REBOOT_REQUIRED

// Runs /list or /remove and writes the report (to /report's file, else to the standard
// output the program was given, else to the console of the program that started it, else
// nowhere); the exit code. /remove by anyone but an administrator on the NT family touches
// nothing and ends with kExitNotAdministrator.
int RunUnattended(const CommandLine& command);
