#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "files/companions.h"
#include "files/file_fixture.h"
#include "platform/files.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"
#include "support/registry_fixture.h"
#include "support/version_fake.h"

namespace {

using files_test::ScopedFile;
using files_test::SetBox;
using files_test::WinDir;

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A companion window of another process, started from the helper program built beside
// the tests; it records the close and destroy messages it gets. Ended with the test.
class Companion {
 public:
  explicit Companion(const std::string& caption) : m_record(files_test::TempPath(".txt")) {
    const std::string helper =
        platform::DirectoryOf(platform::ModulePath()) + "\\companion.exe";
    std::string command = "\"" + helper + "\" \"" + caption + "\" \"" + m_record + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &m_process))
      return;
    for (DWORD start = ::GetTickCount(); !m_window && ::GetTickCount() - start < 10000;) {
      m_window = ::FindWindowA(nullptr, caption.c_str());
      if (!m_window) ::Sleep(20);
    }
  }
  ~Companion() {
    if (m_process.hProcess) {
      ::TerminateProcess(m_process.hProcess, 0);
      ::WaitForSingleObject(m_process.hProcess, 5000);
      ::CloseHandle(m_process.hProcess);
      ::CloseHandle(m_process.hThread);
    }
    ::DeleteFileA(m_record.c_str());
  }
  Companion(const Companion&) = delete;
  Companion& operator=(const Companion&) = delete;

  bool Up() const { return m_window != nullptr; }
  std::vector<std::string> Messages() const {
    std::vector<std::string> lines;
    std::ifstream in(m_record);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

 private:
  std::string m_record;
  PROCESS_INFORMATION m_process = {};
  HWND m_window = nullptr;
};

// A start-up value of the Run key, gone again after the test.
class RunValue {
 public:
  explicit RunValue(const char* name) : m_name(name) {
    testing_support::SetString(HKEY_LOCAL_MACHINE, kRunKey, name, "C:\\x.exe");
  }
  ~RunValue() {
    HKEY key = nullptr;
    if (::RegOpenKeyA(HKEY_LOCAL_MACHINE, kRunKey, &key) != ERROR_SUCCESS) return;
    ::RegDeleteValueA(key, m_name.c_str());
    ::RegCloseKey(key);
  }
  bool present() const { return testing_support::ValuePresent(HKEY_LOCAL_MACHINE, kRunKey, m_name.c_str()); }

 private:
  std::string m_name;
};

using Messages = std::vector<std::string>;

class EventManager : public ::testing::Test {
 protected:
  files_test::RecordedCalls m_calls;
  RunValue m_startup{"evmonitr.exe"};
  RunValue m_neighbour{files_test::UniqueName("dpt").c_str()};
};

TEST_F(EventManager, SendsDestroyThenNcDestroyAndRemovesStartupAndProgram) {
  Companion window("Quillmar Event Manager 1.0");
  ASSERT_TRUE(window.Up());
  ScopedFile program(WinDir() + "\\System\\Evmonitr.exe");
  testing_support::MainDialog main;
  SetBox(main, IDC_CHK_EVENTMGR, BST_CHECKED);

  main->RemoveEventManager();

  EXPECT_EQ((Messages{"WM_DESTROY", "WM_NCDESTROY"}), window.Messages());
  EXPECT_FALSE(m_startup.present());
  EXPECT_TRUE(m_neighbour.present());
  EXPECT_FALSE(program.present());
  EXPECT_EQ(std::vector<DWORD>{500}, files_test::RecordedCalls::sleeps);
  EXPECT_FALSE(main.Enabled(IDC_CHK_EVENTMGR));
  EXPECT_EQ(BST_CHECKED, main.Check(IDC_CHK_EVENTMGR));
  EXPECT_FALSE(main->Found(IDC_CHK_EVENTMGR));
}

// The running event manager holds its executable open until it has ended, and it ends on
// the two messages; the pause is its time to let go, so it must come after the messages and
// before the file is tried. Here the program lets go of its file during the pause if it
// has had both messages by then.
std::unique_ptr<files_test::HeldOpen> g_runningProgram;
const Companion* g_eventManagerWindow = nullptr;
VOID WINAPI ProgramEndsDuringThePause(DWORD) {
  if (g_eventManagerWindow->Messages() == Messages{"WM_DESTROY", "WM_NCDESTROY"})
    g_runningProgram.reset();
}

TEST_F(EventManager, PausesBetweenTheMessagesAndTheDeletion) {
  Companion window("Quillmar Event Manager 1.0");
  ASSERT_TRUE(window.Up());
  ScopedFile program(WinDir() + "\\System\\Evmonitr.exe");
  g_runningProgram.reset(new files_test::HeldOpen(program.path()));
  g_eventManagerWindow = &window;
  platform::System().Sleep = &ProgramEndsDuringThePause;
  CCompanions companions(WinDir());

  EXPECT_NO_THROW(companions.RemoveEventManager());

  EXPECT_FALSE(g_runningProgram);
  EXPECT_FALSE(program.present());
  g_runningProgram.reset();
  g_eventManagerWindow = nullptr;
}

TEST_F(EventManager, WithoutWindowOrProgramStillRemovesTheStartupValue) {
  testing_support::MainDialog main;
  main->RemoveEventManager();
  EXPECT_FALSE(m_startup.present());
  EXPECT_EQ(std::vector<DWORD>{500}, files_test::RecordedCalls::sleeps);
  EXPECT_FALSE(main.Enabled(IDC_CHK_EVENTMGR));
  EXPECT_FALSE(main->Found(IDC_CHK_EVENTMGR));
}

TEST_F(EventManager, AProgramHeldOpenIsLeftAloneWithoutAMessage) {
  ScopedFile program(WinDir() + "\\System\\Evmonitr.exe");
  files_test::HeldOpen held(program.path());
  files_test::AnsweredMain answered;
  (*answered.dialog)->RemoveEventManager();
  EXPECT_TRUE(program.present());
  EXPECT_TRUE(answered.Boxes().empty());
  EXPECT_FALSE(answered.dialog->Enabled(IDC_CHK_EVENTMGR));
  // The item reports what it could not say with a message.
  const CRemovalReport report = CCompanions(WinDir()).RemoveEventManager();
  EXPECT_EQ(1, report.m_nStayed);
  EXPECT_EQ(static_cast<unsigned>(kStayFileLocked), report.m_stayReasons);
  EXPECT_FALSE(report.m_bEmpty);
}

TEST_F(EventManager, AProgramThatWillNotGoShowsTheFileErrorAndEndsTheCleaningRun) {
  ScopedFile program(WinDir() + "\\System\\Evmonitr.exe", "x", FILE_ATTRIBUTE_READONLY);
  RunValue detectorStartup("ScanEye.exe");
  testing_support::FakeWindowsVersion xp(testing_support::Windows::WinXp);
  files_test::AnsweredMain answered;
  testing_support::MainDialog& main = *answered.dialog;
  SetBox(main, IDC_CHK_EVENTMGR, BST_CHECKED);
  SetBox(main, IDC_CHK_DETECTOR, BST_CHECKED);

  answered.answerer.Press(IDOK);
  answered.answerer.Press(IDOK);
  main.Click(IDC_APPLY);

  ASSERT_EQ(2u, answered.Boxes().size());
  EXPECT_EQ("Access to an unnamed file was denied.", answered.Boxes()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), answered.Boxes()[0].icon);
  EXPECT_TRUE(program.present());
  EXPECT_TRUE(main.Enabled(IDC_CHK_EVENTMGR));
  EXPECT_TRUE(detectorStartup.present());  // the detector step never ran
  EXPECT_EQ(BST_CHECKED, main.Check(IDC_CHK_DETECTOR));
}

// Without a window, the executable alone makes the event manager present, unless a running
// program holds it open.
TEST(EventManagerPresence, GoesByTheExecutableThatCanBeOpened) {
  const std::string windows = files_test::TempPath("win");
  CCompanions companions(windows);
  EXPECT_FALSE(companions.FindEventManager());
  ScopedFile program(windows + "\\System\\Evmonitr.exe");
  EXPECT_TRUE(companions.FindEventManager());
  files_test::HeldOpen held(program.path());
  EXPECT_FALSE(companions.FindEventManager());
}

// Which open detector window gets WM_CLOSE: the first of versions 1.0 to 1.4, and no other.
struct DetectorCase {
  std::vector<const char*> open;
  int closed;  // index into `open`, -1 for none
};

class Detector : public ::testing::TestWithParam<DetectorCase> {};

TEST_P(Detector, ClosesOnlyTheFirstVersionFoundAndClosesTheItem) {
  RunValue startup("ScanEye.exe");
  std::vector<std::unique_ptr<Companion>> windows;
  for (const char* caption : GetParam().open) {
    windows.emplace_back(new Companion(caption));
    ASSERT_TRUE(windows.back()->Up()) << caption;
  }
  testing_support::MainDialog main;
  SetBox(main, IDC_CHK_DETECTOR, BST_CHECKED);

  main->RemoveDetector();

  for (size_t i = 0; i < windows.size(); ++i)
    EXPECT_EQ(static_cast<int>(i) == GetParam().closed ? Messages{"WM_CLOSE"} : Messages{},
              windows[i]->Messages())
        << GetParam().open[i];
  EXPECT_FALSE(startup.present());
  EXPECT_EQ(BST_UNCHECKED, main.Check(IDC_CHK_DETECTOR));
  EXPECT_FALSE(main.Enabled(IDC_CHK_DETECTOR));
  EXPECT_FALSE(main->Found(IDC_CHK_DETECTOR));
}

INSTANTIATE_TEST_SUITE_P(
    Captions, Detector,
    ::testing::Values(
        DetectorCase{{"Quillmar Scanner Detector 1.4", "Quillmar Scanner Detector 1.2"}, 1},
        DetectorCase{{"Quillmar Scanner Detector 1.3", "Quillmar Scanner Detector 1.0"}, 1},
        DetectorCase{{"Quillmar Scanner Detector 1.1"}, 0},
        DetectorCase{{"Quillmar Scanner Detector 1.5", "Quillmar Scanner Detector"}, -1},
        DetectorCase{{}, -1}));

// The start-up values go whatever their type and size; the values beside them stay.
struct RunShape {
  const char* label;
  DWORD type;
  std::string bytes;
  DWORD size;
};

class StartupValueShapes : public ::testing::TestWithParam<RunShape> {};

TEST_P(StartupValueShapes, AreDeletedAndTheirNeighboursKept) {
  files_test::RecordedCalls calls;
  RunValue neighbour(files_test::UniqueName("dpt").c_str());
  for (const char* name : {"evmonitr.exe", "ScanEye.exe"})
    testing_support::SetBinary(HKEY_LOCAL_MACHINE, kRunKey, name, GetParam().bytes.data(),
                               GetParam().size, GetParam().type);
  CCompanions companions(files_test::TempPath(""));
  companions.RemoveEventManager();
  companions.RemoveDetector();
  EXPECT_FALSE(testing_support::ValuePresent(HKEY_LOCAL_MACHINE, kRunKey, "evmonitr.exe"));
  EXPECT_FALSE(testing_support::ValuePresent(HKEY_LOCAL_MACHINE, kRunKey, "ScanEye.exe"));
  EXPECT_TRUE(neighbour.present());
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, StartupValueShapes,
    ::testing::Values(RunShape{"Unterminated", REG_SZ, "C:\\x.exeZ", 8},
                      RunShape{"Dword", REG_DWORD, "abcd", 4},
                      RunShape{"Binary", REG_BINARY, std::string("\0\1\2", 3), 3},
                      RunShape{"Multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5), 5},
                      RunShape{"SixtyFourKilobytes", REG_SZ, std::string(64 * 1024, 'r'),
                               64 * 1024},
                      RunShape{"Empty", REG_SZ, "", 1},
                      RunShape{"ZeroLength", REG_BINARY, "", 0}),
    [](const ::testing::TestParamInfo<RunShape>& info) { return std::string(info.param.label); });

}  // namespace
