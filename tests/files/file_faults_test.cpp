// Files that will not go and folders that are not there, for every remover of files: each
// ends without a crash or a hang, says what the documented behaviour says, and deletes
// nothing it was not asked to.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "files/companions.h"
#include "files/file_fixture.h"
#include "files/inf.h"
#include "files/oeminf.h"
#include "files/sysfiles.h"
#include "res/resource.h"
#include "support/registry_fixture.h"

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

// The item's list as the Detail dialog leaves it: built once, then holding only `entries`.
CSelectionList& ListOf(CSystemFiles& item, std::vector<CSelectionEntry> entries) {
  item.Build();
  CSelectionList& list = *item.List();
  list.clear();
  for (CSelectionEntry& entry : entries) list.emplace_back(new CSelectionEntry(std::move(entry)));
  return list;
}

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
  CSystemFiles item(windows.path, WindowsVersion(WindowsVersion::kNT5));
  CSelectionList& list = ListOf(item, {{driver, 0, 1}, {twain.path(), 1, 1}});
  item.SetFound(true);

  const CRemovalReport report = item.Remove();

  EXPECT_FALSE(twain.present());
  const bool stays = GetParam() != Fault::kFolderMissing;
  if (file) {
    EXPECT_TRUE(file->present());
  }
  ASSERT_EQ(stays ? 1u : 0u, list.size());
  if (stays) {
    EXPECT_EQ(driver, list[0]->m_strText);
  }
  EXPECT_EQ(stays, item.Found());
  // A file that was not there counts as gone.
  EXPECT_EQ(stays ? 1 : 2, report.m_nRemoved);
  EXPECT_EQ(stays ? 1 : 0, report.m_nKept);
  EXPECT_EQ(!stays, report.m_bEmpty);
}

INSTANTIATE_TEST_SUITE_P(Faults, SysFilesFault,
                         ::testing::Values(Fault::kReadOnly, Fault::kHeldOpen,
                                           Fault::kFolderMissing),
                         FaultName);

TEST(SysFilesFolders, AWindowsDirectoryWithoutItsFoldersListsNothingOnAnyPlatform) {
  FakeWindows windows;
  for (unsigned flags : {0u + WindowsVersion::kWin95, 0u + WindowsVersion::kWin98,
                         0u + WindowsVersion::kWinME, 0u + WindowsVersion::kNT4,
                         0u + WindowsVersion::kNT5, 0u}) {
    CSystemFiles item(windows.path, WindowsVersion(flags));
    item.Build();
    ASSERT_TRUE(item.List()) << flags;
    EXPECT_TRUE(item.List()->empty()) << flags;
    EXPECT_TRUE(item.Checked()) << flags;
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
  CInfFiles item(windows.path, settings.path(), WindowsVersion(WindowsVersion::kWin98));
  item.SetFound(true);
  item.Build();
  ASSERT_EQ(1u, item.List()->size());

  // The file and its folder go after the list was built.
  if (infMissing) listed.reset();
  ASSERT_EQ(!infMissing, DirectoryPresent(windows.path + "\\INF"));
  const CRemovalReport report = item.Remove();

  EXPECT_TRUE(outside.present());
  if (!infMissing) {
    EXPECT_FALSE(listed->present());
  }
  // A listed file gone with its folder leaves the list: nothing is left of the item.
  EXPECT_TRUE(item.List()->empty());
  EXPECT_FALSE(item.Found());
  EXPECT_EQ(infMissing ? 0 : 1, report.m_nRemoved);
  EXPECT_EQ(0, report.m_nStayed);
  EXPECT_TRUE(report.m_bEmpty);

  item.Build();
  EXPECT_TRUE(item.List()->empty());
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

  RemoveOemInfs();

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
        // The read-only INF loses that attribute and goes.
        OemRow{OemFault::kReadOnlyInf, "ReadOnlyInf", false, false, false},
        // Its mark cannot be read: the package is not recognised and stays whole.
        OemRow{OemFault::kHeldOpenInf, "HeldOpenInf", true, true, true},
        // The INF, with the mark, goes only after the catalog: the package stays findable.
        OemRow{OemFault::kHeldOpenCatalog, "HeldOpenCatalog", true, false, true},
        OemRow{OemFault::kCatalogFolderMissing, "CatalogFolderMissing", false, false, false}),
    [](const ::testing::TestParamInfo<OemRow>& info) { return std::string(info.param.label); });

TEST(OemFolders, WithoutAnInfFolderNothingStartsAndNothingWaits) {
  RecordedCalls calls;
  ScopedAside aside(WinDir() + "\\inf");
  ASSERT_TRUE(aside.moved());
  ASSERT_FALSE(DirectoryPresent(WinDir() + "\\inf"));
  RemoveOemInfs();
  EXPECT_TRUE(RecordedCalls::commands.empty());
  EXPECT_TRUE(RecordedCalls::sleeps.empty());
}

// The event manager's executable in a Windows directory without a System folder: the item
// ends quietly, and the dialog closes its box without a message.
TEST(EventManagerFolders, WithoutASystemFolderTheItemClosesWithoutAMessage) {
  FakeWindows windows;
  RecordedCalls calls;
  CCompanions companions(windows.path);
  EXPECT_NO_THROW(companions.RemoveEventManager());
  EXPECT_FALSE(companions.FindEventManager());

  files_test::AnsweredMain answered;
  testing_support::MainDialog& main = *answered.dialog;
  ASSERT_FALSE(testing_support::FilePresent(WinDir() + "\\System\\Evmonitr.exe"));
  files_test::SetBox(main, IDC_CHK_EVENTMGR, BST_CHECKED);
  main->RemoveEventManager();
  EXPECT_TRUE(answered.Boxes().empty());
  EXPECT_FALSE(main.Enabled(IDC_CHK_EVENTMGR));
  EXPECT_FALSE(main->Found(IDC_CHK_EVENTMGR));
}

}  // namespace
