// Start-up as a user sees it: the guidance dialogs of each Windows version, their Next and
// Cancel, the main dialog with its controls and system information, and the About box.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "e2e/scenario.h"
#include "res/resource.h"

namespace e2e {
namespace {

class GuidanceTest : public ::testing::TestWithParam<WindowsVersion> {
 protected:
  Program m_program;
};

TEST_P(GuidanceTest, NextWalksThroughTheGuidanceDialogsOfTheVersionToTheMainDialog) {
  const WindowsVersion& version = GetParam();
  ASSERT_TRUE(m_program.Launch(version.name));

  HWND first = m_program.WaitForAnyWindow();
  ASSERT_NE(nullptr, first);
  const std::string expectedFirst =
      version.deviceManagerGuide ? kRemoveDeviceCaption : kUnplugCaption;
  EXPECT_EQ(expectedFirst, Text(first));
  EXPECT_EQ("Next", ControlText(first, IDOK));
  EXPECT_EQ("Cancel", ControlText(first, IDCANCEL));

  if (version.deviceManagerGuide) {
    EXPECT_EQ(nullptr, m_program.WaitForWindow(kUnplugCaption, 0)) << "both guides at once";
    Command(first, IDOK);
    HWND unplug = m_program.WaitForWindow(kUnplugCaption);
    ASSERT_NE(nullptr, unplug);
    EXPECT_FALSE(::IsWindow(first) && ::IsWindowVisible(first));
    EXPECT_EQ("Next", ControlText(unplug, IDOK));
    Command(unplug, IDOK);
  } else {
    Command(first, IDOK);
  }

  HWND main = m_program.WaitForWindow(kMainCaption);
  ASSERT_NE(nullptr, main);
  EXPECT_EQ(version.deviceManagerGuide ? 1 : 0,
            std::count(m_program.Seen().begin(), m_program.Seen().end(), kRemoveDeviceCaption));
  EXPECT_EQ(1, std::count(m_program.Seen().begin(), m_program.Seen().end(), kUnplugCaption));
}

TEST_P(GuidanceTest, EnterIsNextInEveryGuidanceDialog) {
  const WindowsVersion& version = GetParam();
  ASSERT_TRUE(m_program.Launch(version.name));
  if (version.deviceManagerGuide) {
    HWND removeDevice = m_program.WaitForWindow(kRemoveDeviceCaption);
    ASSERT_NE(nullptr, removeDevice);
    PressKey(removeDevice, Key::Enter);
  }
  HWND unplug = m_program.WaitForWindow(kUnplugCaption);
  ASSERT_NE(nullptr, unplug);
  PressKey(unplug, Key::Enter);
  EXPECT_NE(nullptr, m_program.WaitForWindow(kMainCaption));
}

INSTANTIATE_TEST_SUITE_P(Versions, GuidanceTest, ::testing::ValuesIn(Versions()), VersionName);

// Cancel, Escape and the close box in a guidance dialog each end the program at once.
enum class Refuse { CancelButton, EscapeKey, CloseBox };

struct CancelCase {
  WindowsVersion version;
  int guide;  // 0: the first guidance dialog the version shows, 1: the second
  Refuse way;
};

std::vector<CancelCase> CancelCases() {
  std::vector<CancelCase> cases;
  for (const WindowsVersion& version : Versions())
    for (int guide = 0; guide < (version.deviceManagerGuide ? 2 : 1); ++guide)
      for (Refuse way : {Refuse::CancelButton, Refuse::EscapeKey, Refuse::CloseBox})
        cases.push_back({version, guide, way});
  return cases;
}

void PrintTo(const CancelCase& test, std::ostream* out) {
  *out << test.version.name << ", guide " << test.guide + 1 << ", way "
       << static_cast<int>(test.way);
}

std::string CancelCaseName(const ::testing::TestParamInfo<CancelCase>& info) {
  static const char* const kWays[] = {"CancelButton", "EscapeKey", "CloseBox"};
  return std::string(info.param.version.name) + "_Guide" + std::to_string(info.param.guide + 1) +
         "_" + kWays[static_cast<int>(info.param.way)];
}

class GuidanceCancelTest : public ::testing::TestWithParam<CancelCase> {
 protected:
  Program m_program;
};

TEST_P(GuidanceCancelTest, EndsTheProgramWithoutTheMainDialog) {
  const CancelCase& test = GetParam();
  ASSERT_TRUE(m_program.Launch(test.version.name));
  std::vector<const char*> guides;
  if (test.version.deviceManagerGuide) guides.push_back(kRemoveDeviceCaption);
  guides.push_back(kUnplugCaption);

  for (int i = 0; i < test.guide; ++i) {
    HWND guide = m_program.WaitForWindow(guides[i]);
    ASSERT_NE(nullptr, guide);
    Command(guide, IDOK);
  }
  HWND guide = m_program.WaitForWindow(guides[test.guide]);
  ASSERT_NE(nullptr, guide);
  switch (test.way) {
    case Refuse::CancelButton: Click(guide, IDCANCEL); break;
    case Refuse::EscapeKey: PressKey(guide, Key::Escape); break;
    case Refuse::CloseBox: SysCommand(guide, SC_CLOSE); break;
  }

  ASSERT_TRUE(m_program.WaitForExit()) << "still running after the refusal";
  EXPECT_EQ(0u, m_program.ExitCode());
  EXPECT_FALSE(m_program.WasSeen(kMainCaption));
  if (test.guide == 0 && test.version.deviceManagerGuide) {
    EXPECT_FALSE(m_program.WasSeen(kUnplugCaption));
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, GuidanceCancelTest, ::testing::ValuesIn(CancelCases()),
                         CancelCaseName);

// The main dialog as it first appears.
struct ControlRow {
  int id;
  const char* className;
  const char* caption;
  bool visible;
};

const ControlRow kControls[] = {
    {IDOK, "Button", "Exit", true},
    {IDCANCEL, "Button", "Cancel", true},
    {IDC_CHK_EVENTMGR, "Button", "Quillmar Event Manager", true},
    {IDC_CHK_DETECTOR, "Button", "Scanner Detector", true},
    {IDC_CHK_1394, "Button", "1394 Registered Data", true},
    {IDC_CHK_STI, "Button", "Registered STI Scanners", true},
    {IDC_DETAIL_STI, "Button", "Detail...", true},
    {IDC_CHK_SCSI, "Button", "Registered SCSI Scanner", true},
    {IDC_DETAIL_SCSI, "Button", "Detail...", true},
    {IDC_CHK_USB, "Button", "Registered USB Scanner", true},
    {IDC_DETAIL_USB, "Button", "Detail...", true},
    {IDC_CHK_EPP, "Button", "EPP Driver", true},
    {IDC_CHK_ASPI, "Button", "ASPI Registry for NT", true},
    {IDC_CHK_INF, "Button", "INF for Quillmar Scanner", true},
    {IDC_DETAIL_INF, "Button", "Detail...", true},
    {IDC_CHK_SYSFILES, "Button", "System Files", true},
    {IDC_DETAIL_SYSFILES, "Button", "Detail...", true},
    {IDC_APPLY, "Button", "Apply", true},
    {IDC_SELECTALL, "Button", "Select All", true},
    {IDC_UNSELECTALL, "Button", "Unselect All", false},
    {IDC_REFRESH, "Button", "Refresh", false},
    {IDC_OSNAME, "Static", nullptr, true},
    {IDC_PHYSMEM, "Static", nullptr, true},
    {IDC_VIRTMEM, "Static", nullptr, true},
    {IDC_SOFTWARE, "ListBox", "", true},
};

const int kCheckBoxes[] = {IDC_CHK_EVENTMGR, IDC_CHK_DETECTOR, IDC_CHK_1394, IDC_CHK_STI,
                           IDC_CHK_SCSI,     IDC_CHK_USB,      IDC_CHK_EPP,  IDC_CHK_ASPI,
                           IDC_CHK_INF,      IDC_CHK_SYSFILES};
const int kDetailButtons[] = {IDC_DETAIL_STI, IDC_DETAIL_SCSI, IDC_DETAIL_USB, IDC_DETAIL_INF,
                              IDC_DETAIL_SYSFILES};

class MainDialogTest : public ::testing::TestWithParam<WindowsVersion> {
 protected:
  Program m_program;
};

TEST_P(MainDialogTest, ShowsEveryControlWithItsCaptionAndHidesUnselectAllAndRefresh) {
  HWND main = OpenMainDialog(m_program, GetParam());
  ASSERT_NE(nullptr, main);
  for (const ControlRow& row : kControls) {
    SCOPED_TRACE(row.id);
    HWND control = Control(main, row.id);
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(row.className, ClassOf(control));
    if (row.caption) {
      EXPECT_EQ(row.caption, Text(control));
    }
    EXPECT_EQ(row.visible, IsVisible(main, row.id));
  }
  for (int id : kCheckBoxes) EXPECT_EQ(0, CheckState(main, id)) << id;
  for (int id : kDetailButtons) EXPECT_TRUE(IsEnabled(main, id)) << id;
  EXPECT_EQ(BS_DEFPUSHBUTTON, Style(main, IDOK) & 0x0F);
}

TEST_P(MainDialogTest, OffersTheItemsOfTheVersionOnACleanSystem) {
  const WindowsVersion& version = GetParam();
  HWND main = OpenMainDialog(m_program, version);
  ASSERT_NE(nullptr, main);
  // The ASPI item exists on NT 4.0 only, which has no INF item; the system files are
  // never ruled out by the detection pass.
  EXPECT_EQ(version.nt4, IsEnabled(main, IDC_CHK_ASPI));
  EXPECT_EQ(!version.nt4, IsEnabled(main, IDC_CHK_INF));
  EXPECT_TRUE(IsEnabled(main, IDC_CHK_SYSFILES));
  // Nothing of the maker is installed in the test's Windows.
  for (int id : {IDC_CHK_EVENTMGR, IDC_CHK_DETECTOR, IDC_CHK_1394, IDC_CHK_STI, IDC_CHK_SCSI,
                 IDC_CHK_USB, IDC_CHK_EPP})
    EXPECT_FALSE(IsEnabled(main, id)) << id;
}

TEST_P(MainDialogTest, ShowsTheSystemAndItsMemoryFigures) {
  const WindowsVersion& version = GetParam();
  HWND main = OpenMainDialog(m_program, version);
  ASSERT_NE(nullptr, main);
  EXPECT_EQ(version.osText, NormaliseLineBreaks(ControlText(main, IDC_OSNAME)));
  const std::regex figure("[1-9][0-9]* (MB|KB)");
  EXPECT_TRUE(std::regex_match(ControlText(main, IDC_PHYSMEM), figure))
      << "\"" << ControlText(main, IDC_PHYSMEM) << "\"";
  EXPECT_TRUE(std::regex_match(ControlText(main, IDC_VIRTMEM), figure))
      << "\"" << ControlText(main, IDC_VIRTMEM) << "\"";
}

// Everything the user can see of the main dialog's controls.
struct Snapshot {
  std::vector<std::string> texts;
  std::vector<int> checks;
  std::vector<bool> enabled, visible;
  bool operator==(const Snapshot& other) const {
    return texts == other.texts && checks == other.checks && enabled == other.enabled &&
           visible == other.visible;
  }
};

Snapshot Take(HWND main) {
  Snapshot snapshot;
  for (const ControlRow& row : kControls) {
    // The memory figures follow the system every second.
    const bool changing = row.id == IDC_PHYSMEM || row.id == IDC_VIRTMEM;
    snapshot.texts.push_back(changing ? "" : ControlText(main, row.id));
    snapshot.checks.push_back(CheckState(main, row.id));
    snapshot.enabled.push_back(IsEnabled(main, row.id));
    snapshot.visible.push_back(IsVisible(main, row.id));
  }
  return snapshot;
}

TEST_P(MainDialogTest, AboutBoxOpensFromTheSystemMenuAsOftenAsAskedAndChangesNothing) {
  HWND main = OpenMainDialog(m_program, GetParam());
  ASSERT_NE(nullptr, main);
  const Snapshot before = Take(main);

  for (int round = 0; round < 2; ++round) {
    SysCommand(main, IDM_ABOUTBOX);
    HWND about = m_program.WaitForWindow(kAboutCaption);
    ASSERT_NE(nullptr, about) << "round " << round;
    EXPECT_EQ("OK", ControlText(about, IDOK));
    EXPECT_EQ(main, ::GetWindow(about, GW_OWNER));
    EXPECT_FALSE(::IsWindowEnabled(main)) << "the About box is modal";
    if (round == 0)
      Click(about, IDOK);
    else
      PressKey(about, Key::Escape);
    ASSERT_TRUE(m_program.WaitForWindowGone(about));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }, 5000));
  }

  EXPECT_TRUE(m_program.Running());
  EXPECT_TRUE(::IsWindowVisible(main));
  EXPECT_TRUE(before == Take(main)) << "the main dialog changed behind the About box";
}

INSTANTIATE_TEST_SUITE_P(Versions, MainDialogTest, ::testing::ValuesIn(Versions()), VersionName);

}  // namespace
}  // namespace e2e
