#include "e2e/scenario.h"

#include <stdexcept>

namespace e2e {

const char kMainCaption[] = "System Registry Cleaner";
const char kRemoveDeviceCaption[] = "Remove The Device From Device Manager...";
const char kUnplugCaption[] = "Unplug The Scanner Device";
const char kAboutCaption[] = "About DrvPurge";
const char kRestartCaption[] = "Restart Windows";
const char kRestartText[] =
    "System is cleaned, you must restart Windows to apply the DrvPurge.\n\n"
    "Would you want to restart the computer now?";
const char kRestartTextSomeStayed[] =
    "Some items could not be removed. Windows must restart to apply what DrvPurge removed.\n\n"
    "Would you want to restart the computer now?";

void PrintTo(const WindowsVersion& version, std::ostream* out) { *out << version.name; }

const std::vector<WindowsVersion>& Versions() {
  // What Wine reports for each version decides the texts: Windows 98 as " A " (second
  // edition), NT 4.0 with the extended record of a workstation, 2003 as a server whose
  // version 5.2 has no name of its own.
  static const std::vector<WindowsVersion> versions = {
      {"win95", false, false, "Windows 95"},
      {"win98", false, false, "Windows 98 SE"},
      {"winme", false, false, "Windows ME"},
      {"nt40", false, true, "Windows NT Workstation version 4.0 Service Pack 6a (Build 1381)\n"},
      {"win2k", true, false, "Windows 2000 Professional Service Pack 4 (Build 2195)\n"},
      {"winxp", true, false, "Windows XP Professional Service Pack 3 (Build 2600)\n"},
      {"win2003", false, false, " Server Service Pack 2 (Build 3790)\n"},
  };
  return versions;
}

const WindowsVersion& Version(const std::string& name) {
  for (const WindowsVersion& version : Versions())
    if (name == version.name) return version;
  throw std::invalid_argument("no such Windows version: " + name);
}

std::string VersionName(const ::testing::TestParamInfo<WindowsVersion>& info) {
  return info.param.name;
}

std::string NormaliseLineBreaks(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      result += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

HWND WalkToMainDialog(Program& program, const WindowsVersion& version, std::string& error) {
  if (!program.Launch(version.name)) {
    error = "cannot start " + ProgramPath() + " (error " + std::to_string(::GetLastError()) + ")";
    return nullptr;
  }
  std::vector<const char*> guides;
  if (version.deviceManagerGuide) guides.push_back(kRemoveDeviceCaption);
  guides.push_back(kUnplugCaption);
  for (const char* caption : guides) {
    HWND guide = program.WaitForWindow(caption);
    if (!guide) {
      error = std::string("no \"") + caption + "\" dialog on " + version.name;
      return nullptr;
    }
    Command(guide, IDOK);
    program.WaitForWindowGone(guide);
  }
  HWND main = program.WaitForWindow(kMainCaption);
  if (!main) error = std::string("no main dialog on ") + version.name;
  return main;
}

HWND OpenMainDialog(Program& program, const WindowsVersion& version) {
  std::string error;
  HWND main = WalkToMainDialog(program, version, error);
  if (!main) ADD_FAILURE() << error;
  return main;
}

void LeaveAnsweringNo(Program& program, HWND main) {
  Click(main, IDOK);
  HWND prompt = program.WaitForWindow(kRestartCaption);
  ASSERT_TRUE(prompt) << "no restart prompt";
  EXPECT_EQ(kRestartText, NormaliseLineBreaks(MessageText(prompt)));
  Answer(prompt, IDNO);
  EXPECT_TRUE(program.WaitForExit());
}

}  // namespace e2e
