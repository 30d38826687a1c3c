// Modes of the end-to-end program that scripts run instead of the tests:
//   --mode=drive STEP...   acts on the windows of a DrvPurge.exe started elsewhere (the
//                          demo); each STEP is VERB:CAPTION[:ID], see modes.cpp.
//   --mode=restart-yes VERSION REPORT
//                          in a Wine session of its own: leaves DrvPurge.exe after a
//                          cleaning run, answers Yes to the restart prompt and writes what
//                          follows, line by line, to the file REPORT.
//   --mode=census REPORT   writes the file names of the session's processes to REPORT.
#pragma once

namespace e2e {

// A named event that the test suite's own session holds while a restart runs elsewhere:
// a session that can open it is not isolated.
extern const char kSuiteSessionMarker[];

// Runs mode `name` with its arguments; the process's exit code.
int RunMode(const char* name, int argc, char** argv);

}  // namespace e2e
