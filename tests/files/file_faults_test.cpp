// Files that will not go and folders that are not there, for every remover of files: each
// ends without a crash or a hang, says what the documented behaviour says, and deletes
// nothing it was not asked to.
#include <gtest/gtest.h>

#include <memory>

#include "app/cleanerdlg.h"
#include "files/file_fixture.h"
#include "res/resource.h"

namespace {

using files_test::HeldOpen;
using files_test::RecordedCalls;
using files_test::ScopedFile;
using files_test::TempPath;
using files_test::UniqueName;
using files_test::WinDir;

enum class Fault { kReadOnly, kHeldOpen, kFolderMissing };

std::string FaultName(const ::testing::TestParamInfo<Fault>& info) {
  switch (info.param) {
    case Fault::kReadOnly: return "ReadOnly";
    case Fault::kHeldOpen: return "HeldOpen";
    case Fault::kFolderMissing: return "FolderMissing";
  }
  return "";
}

bool DirectoryPresent(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A Windows directory of the test's own, holding only what the test puts there.
struct FakeWindows {
  std::string path = TempPath("win");
  files_test::ScopedDirectory directory{path};
};

// System files: the driver in System32\Drivers is the file with the fault; the TWAIN file
// beside it goes in every case.
class SysFilesFault : public ::testing::TestWithParam<Fault> {};

TEST_P(SysFilesFault, KeepsListedWhatIsStillThereAndDeletesTheRest) {
  FakeWindows windows;
  const std::string driver = windows.path + "\\System32\\Drivers\\qlimgdv.sys";
  std::unique_ptr<ScopedFile> file;
  if (GetParam() != Fault::kFolderMissing)
    file.reset(new ScopedFile(driver, "x",
                              GetParam() == Fault::kReadOnly ? FILE_ATTRIBUTE_READONLY : 0));
  ScopedFile twain(windows.path + "\\Twain.dll");
  std::unique_ptr<HeldOpen> held;
  if (GetParam() == Fault::kHeldOpen) held.reset(new HeldOpen(driver));
  CCleanerDlg dlg;
  dlg.m_strWinDir = windows.path;
  dlg.m_pSysFilesList.reset(new CSelectionList);
  dlg.m_pSysFilesList->emplace_back(new CSelectionEntry{driver, 0, 1});
  dlg.m_pSysFilesList->emplace_back(new CSelectionEntry{twain.path(), 1, 1});
  dlg.m_bSysFilesFound = 1;

  dlg.RemoveSystemFiles();

  EXPECT_FALSE(twain.present());
  const bool stays = GetParam() != Fault::kFolderMissing;
  if (file) {
    EXPECT_TRUE(file->present());
  }
  ASSERT_EQ(stays ? 1u : 0u, dlg.m_pSysFilesList->size());
  if (stays) {
    EXPECT_EQ(driver, (*dlg.m_pSysFilesList)[0]->m_strText);
  }
  EXPECT_EQ(stays ? 1 : 0, dlg.m_bSysFilesFound);
}

INSTANTIATE_TEST_SUITE_P(Faults, SysFilesFault,
                         ::testing::Values(Fault::kReadOnly, Fault::kHeldOpen,
                                           Fault::kFolderMissing),
                         FaultName);

TEST(SysFilesFolders, AWindowsDirectoryWithoutItsFoldersListsNothingOnAnyPlatform) {
  FakeWindows windows;
  const int flags[][5] = {{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0},
                          {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1}, {0, 0, 0, 0, 0}};
  for (const auto& f : flags) {
    CCleanerDlg dlg;
    dlg.m_strWinDir = windows.path;
    dlg.m_bWin95 = f[0];
    dlg.m_bWin98 = f[1];
    dlg.m_bWinME = f[2];
    dlg.m_bNT4 = f[3];
    dlg.m_bNT5 = f[4];
    dlg.BuildSysFilesList();
    ASSERT_TRUE(dlg.m_pSysFilesList);
    EXPECT_TRUE(dlg.m_pSysFilesList->empty());
    EXPECT_EQ(1, dlg.m_bSysFilesChecked);
  }
}

// INF files in a Windows directory of the test's own: the INF\Other folder or the whole
// INF folder missing. (Read-only and held-open listed files: inf_test.cpp.)
class InfFolders : public ::testing::TestWithParam<bool> {};

TEST_P(InfFolders, MissingFoldersGiveFewerEntriesAndNoDeletionElsewhere) {
  const bool infMissing = GetParam();
  FakeWindows windows;
  RecordedCalls calls;
  const std::string name = UniqueName("dpt", ".inf");
  auto listed = std::make_unique<ScopedFile>(windows.path + "\\INF\\" + name);
  ScopedFile outside(windows.path + "\\" + name);
  ScopedFile settings(TempPath(".ini"), "[INF]\r\nTotal=1\r\n1=" + name + "\r\n");
  ASSERT_FALSE(DirectoryPresent(windows.path + "\\INF\\Other"));
  CCleanerDlg dlg;
  dlg.m_strWinDir = windows.path;
  dlg.m_strIniPath = settings.path();
  dlg.m_bWin98 = 1;
  dlg.m_bINFFound = 1;
  dlg.BuildINFList();
  ASSERT_EQ(1u, dlg.m_pINFList->size());

  // The file and its folder go after the list was built.
  if (infMissing) listed.reset();
  ASSERT_EQ(!infMissing, DirectoryPresent(windows.path + "\\INF"));
  dlg.RemoveINFFiles();

  EXPECT_TRUE(outside.present());
  if (!infMissing) {
    EXPECT_FALSE(listed->present());
  }
  // A listed file that cannot be opened stays listed and selected.
  ASSERT_EQ(infMissing ? 1u : 0u, dlg.m_pINFList->size());
  if (infMissing) {
    EXPECT_EQ(1, (*dlg.m_pINFList)[0]->m_bSelected);
  }
  EXPECT_EQ(infMissing ? 1 : 0, dlg.m_bINFFound);

  dlg.BuildINFList();
  EXPECT_TRUE(dlg.m_pINFList->empty());
}

INSTANTIATE_TEST_SUITE_P(Folders, InfFolders, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "InfMissing" : "OtherMissing");
                         });

// Moves a folder of the prefix aside for one test and puts it back.
class ScopedAside {
 public:
  explicit ScopedAside(std::string path) : m_path(std::move(path)), m_aside(m_path + UniqueName(".aside")) {
    m_moved = ::MoveFileA(m_path.c_str(), m_aside.c_str()) != FALSE;
  }
  ~ScopedAside() {
    if (m_moved) ::MoveFileA(m_aside.c_str(), m_path.c_str());
  }
  bool moved() const { return m_moved; }

 private:
  std::string m_path, m_aside;
  bool m_moved = false;
};

const char kCatalogs[] = "\\system32\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}";
const char kMarked[] = "[Version]\r\nCatalogFile=Qlvdr.cat\r\n";

// OEM packages: the fault is on the first package; the second one goes in every case.
enum class OemFault { kReadOnlyInf, kHeldOpenInf, kHeldOpenCatalog, kCatalogFolderMissing };

struct OemRow {
  OemFault fault;
  const char* label;
  bool infStays, pnfStays, catalogStays;
};

void PrintTo(const OemRow& row, std::ostream* out) { *out << row.label; }

class OemFaults : public ::testing::TestWithParam<OemRow> {};

TEST_P(OemFaults, LeaveWhatWillNotGoAndGoOnWithTheNextPackage) {
  const OemRow& row = GetParam();
  RecordedCalls calls;
  const bool withCatalog = row.fault != OemFault::kCatalogFolderMissing;
  // A prefix that an earlier run gave the catalog folder lends it for the test.
  std::unique_ptr<ScopedAside> aside;
  if (!withCatalog) {
    if (DirectoryPresent(WinDir() + kCatalogs)) aside.reset(new ScopedAside(WinDir() + kCatalogs));
    ASSERT_FALSE(DirectoryPresent(WinDir() + kCatalogs));
  }
  const std::string base = UniqueName("oemdpt");
  ScopedFile inf(WinDir() + "\\inf\\" + base + ".inf", kMarked,
                 row.fault == OemFault::kReadOnlyInf ? FILE_ATTRIBUTE_READONLY : 0);
  ScopedFile pnf(WinDir() + "\\inf\\" + base + ".PNF");
  std::unique_ptr<ScopedFile> catalog;
  if (withCatalog) catalog.reset(new ScopedFile(WinDir() + kCatalogs + "\\" + base + ".cat"));
  std::unique_ptr<HeldOpen> held;
  if (row.fault == OemFault::kHeldOpenInf) held.reset(new HeldOpen(inf.path()));
  if (row.fault == OemFault::kHeldOpenCatalog) held.reset(new HeldOpen(catalog->path()));
  const std::string nextBase = UniqueName("oemdpt");
  ScopedFile nextInf(WinDir() + "\\inf\\" + nextBase + ".inf", kMarked);
  ScopedFile nextPnf(WinDir() + "\\inf\\" + nextBase + ".PNF");

  CCleanerDlg dlg;
  dlg.RemoveOemInfs();

  EXPECT_EQ(row.infStays, inf.present());
  EXPECT_EQ(row.pnfStays, pnf.present());
  if (catalog) {
    EXPECT_EQ(row.catalogStays, catalog->present());
  }
  EXPECT_FALSE(nextInf.present());
  EXPECT_FALSE(nextPnf.present());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, OemFaults,
    ::testing::Values(
        // The attribute command is recorded, not run: the read-only INF stays.
        OemRow{OemFault::kReadOnlyInf, "ReadOnlyInf", true, false, false},
        // Its mark cannot be read: the package is not recognised and stays whole.
        OemRow{OemFault::kHeldOpenInf, "HeldOpenInf", true, true, true},
        OemRow{OemFault::kHeldOpenCatalog, "HeldOpenCatalog", false, false, true},
        OemRow{OemFault::kCatalogFolderMissing, "CatalogFolderMissing", false, false, false}),
    [](const ::testing::TestParamInfo<OemRow>& info) { return std::string(info.param.label); });

TEST(OemFolders, WithoutAnInfFolderNothingStartsAndNothingWaits) {
  RecordedCalls calls;
  ScopedAside aside(WinDir() + "\\inf");
  ASSERT_TRUE(aside.moved());
  ASSERT_FALSE(DirectoryPresent(WinDir() + "\\inf"));
  CCleanerDlg dlg;
  dlg.RemoveOemInfs();
  EXPECT_TRUE(RecordedCalls::commands.empty());
  EXPECT_TRUE(RecordedCalls::sleeps.empty());
}

// The event manager's executable in a Windows directory without a System folder.
TEST(EventManagerFolders, WithoutASystemFolderTheItemClosesWithoutAMessage) {
  FakeWindows windows;
  RecordedCalls calls;
  files_test::AnsweredMain answered;
  testing_support::MainDialog& main = *answered.dialog;
  main->m_strWinDir = windows.path;
  main->SetCheck(IDC_CHK_EVENTMGR, BST_CHECKED);
  main->RemoveEventManager();
  EXPECT_TRUE(answered.Boxes().empty());
  EXPECT_FALSE(main.Enabled(IDC_CHK_EVENTMGR));
  EXPECT_EQ(0, main->m_bEventManagerFound);
}

}  // namespace
