// What the end-to-end suites share: the Windows versions they run under, the captions
// and texts the program shows, and the walk from start-up to the main dialog.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/driver.h"

namespace e2e {

extern const char kMainCaption[];
extern const char kRemoveDeviceCaption[];
extern const char kUnplugCaption[];
extern const char kAboutCaption[];
extern const char kRestartCaption[];
extern const char kRestartText[];
// The restart prompt's text after an Apply that left something the user chose.
extern const char kRestartTextSomeStayed[];

struct WindowsVersion {
  const char* name;         // Wine's name for it
  bool deviceManagerGuide;  // Windows 2000 and XP first ask to remove the device
  bool nt4;                 // NT 4.0: the ASPI item instead of the INF and event-manager items
  const char* osText;       // static 1008, line breaks as "\n"
};

void PrintTo(const WindowsVersion& version, std::ostream* out);

const std::vector<WindowsVersion>& Versions();
const WindowsVersion& Version(const std::string& name);
std::string VersionName(const ::testing::TestParamInfo<WindowsVersion>& info);

// "\r\n" and a lone "\r" become "\n".
std::string NormaliseLineBreaks(const std::string& text);

// Starts the program under `version` and presses Next in each guidance dialog. Returns
// the main dialog once it is visible; null, with what went wrong in `error`, otherwise.
HWND WalkToMainDialog(Program& program, const WindowsVersion& version, std::string& error);
// The same inside a test: what went wrong becomes a test failure.
HWND OpenMainDialog(Program& program, const WindowsVersion& version);

// Exit after a cleaning run: the restart prompt comes with its text, and No ends the
// program. What goes wrong becomes a test failure.
void LeaveAnsweringNo(Program& program, HWND main);

}  // namespace e2e
