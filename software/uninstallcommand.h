// The command line that starts a product's uninstaller, as DrvPurge runs it.
#pragma once
#include <string>

// `command` as it is to be started. A program named without a folder ("MsiExec.exe /X{...}",
// "RunDll32.exe ..."), which Windows would look for first in DrvPurge's own folder, is looked
// for in the system folder, then in the Windows folder (".exe" added to a name without an
// extension), and named by its quoted full path there, the rest of the command unchanged;
// empty when it is in neither, as nothing is to be started then. A command whose program
// has a folder, quoted or not, comes back as it is.
std::string UninstallCommandLine(const std::string& command);
