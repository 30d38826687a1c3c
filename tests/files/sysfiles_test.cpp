#include <gtest/gtest.h>

#include <memory>

#include "files/file_fixture.h"
#include "files/sysfiles.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"
#include "support/registry_fixture.h"
#include "support/version_fake.h"

namespace {

using files_test::ScopedFile;
using files_test::SeededFile;
using files_test::WinDir;

using testing_support::FakeWindowsVersion;

std::vector<std::string> Texts(const CSelectionList& list) {
  std::vector<std::string> texts;
  for (const auto& entry : list) texts.push_back(entry->m_strText);
  return texts;
}

// Every candidate of every platform exists; which of them a platform lists is the test.
class SysFilesCandidates : public ::testing::TestWithParam<std::pair<unsigned, const char*>> {
 protected:
  std::string m_library = files_test::UniqueName("qlvimx", ".dll");
  ScopedFile m_config{WinDir() + "\\System32\\Qlmcfg.dll"};
  ScopedFile m_library9x{WinDir() + "\\System\\" + m_library};
  ScopedFile m_libraryNt{WinDir() + "\\System32\\" + m_library};
  ScopedFile m_driver1394{WinDir() + "\\System32\\Drivers\\Qlx1394s.sys"};
  ScopedFile m_imaging95{WinDir() + "\\System\\qlimgdv.sys"};
  ScopedFile m_imaging{WinDir() + "\\System32\\Drivers\\qlimgdv.sys"};
  SeededFile m_twain{WinDir() + "\\Twain.dll"};
  SeededFile m_twain32{WinDir() + "\\Twain_32.dll"};
  SeededFile m_twunk16{WinDir() + "\\Twunk_16.exe"};
  SeededFile m_twunk32{WinDir() + "\\Twunk_32.exe"};
};

TEST_P(SysFilesCandidates, ListsThePlatformsCandidatesInOrder) {
  CSystemFiles item(WinDir(), WindowsVersion(GetParam().first));
  item.Build();

  // Steps by letter: C config, L library in System (l: in System32), D 1394 driver,
  // I imaging driver in System (i: in System32\Drivers), T the four TWAIN files.
  std::vector<std::string> expected;
  for (const char* step = GetParam().second; *step; ++step) {
    switch (*step) {
      case 'C': expected.push_back(m_config.path()); break;
      case 'L': expected.push_back(m_library9x.path()); break;
      case 'l': expected.push_back(m_libraryNt.path()); break;
      case 'D': expected.push_back(m_driver1394.path()); break;
      case 'I': expected.push_back(m_imaging95.path()); break;
      case 'i': expected.push_back(m_imaging.path()); break;
      case 'T':
        for (const char* twain : {"\\Twain.dll", "\\Twain_32.dll", "\\Twunk_16.exe", "\\Twunk_32.exe"})
          expected.push_back(WinDir() + twain);
        break;
    }
  }
  ASSERT_TRUE(item.List());
  EXPECT_EQ(expected, Texts(*item.List()));
  for (size_t i = 0; i < item.List()->size(); ++i) {
    EXPECT_EQ(static_cast<int>(i), (*item.List())[i]->m_nIndex);
    EXPECT_EQ(1, (*item.List())[i]->m_bSelected);
  }
  EXPECT_TRUE(item.Checked());
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, SysFilesCandidates,
    ::testing::Values(std::make_pair(0u + WindowsVersion::kWin95, "CIT"),
                      std::make_pair(0u + WindowsVersion::kWin98, "CLDiT"),
                      std::make_pair(0u + WindowsVersion::kWinME, "CliT"),
                      std::make_pair(0u + WindowsVersion::kNT4, "CT"),
                      std::make_pair(0u + WindowsVersion::kNT5, "ClT"),
                      std::make_pair(WindowsVersion::kNT4 | WindowsVersion::kNT5, "CT"),
                      std::make_pair(0u, "CliT")));

// The system's two TWAIN libraries are there; the TWAIN helpers are not.
class SysFiles : public ::testing::Test {
 protected:
  SeededFile m_twain{WinDir() + "\\Twain.dll"};
  SeededFile m_twain32{WinDir() + "\\Twain_32.dll"};
  files_test::ScopedBackup m_twunk16{WinDir() + "\\Twunk_16.exe"};
  files_test::ScopedBackup m_twunk32{WinDir() + "\\Twunk_32.exe"};
  CSystemFiles m_item{WinDir(), WindowsVersion(WindowsVersion::kNT5)};
  void SetUp() override {
    for (const char* helper : {"\\Twunk_16.exe", "\\Twunk_32.exe"})
      testing_support::RemoveFile(WinDir() + helper);
  }
  CSelectionList& List() { return *m_item.List(); }
};

TEST_F(SysFiles, LaterBuildsAppendOnlyNewFilesNumberedFromZero) {
  m_item.Build();
  const size_t first = List().size();  // the two TWAIN libraries
  ASSERT_EQ(2u, first);
  List().front()->m_bSelected = 0;
  m_item.Build();
  EXPECT_EQ(first, List().size());

  ScopedFile twunk(WinDir() + "\\Twunk_32.exe");
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");
  m_item.SetChecked(false);
  m_item.Build();
  ASSERT_EQ(first + 2, List().size());
  EXPECT_EQ(config.path(), List()[first]->m_strText);
  EXPECT_EQ(0, List()[first]->m_nIndex);
  EXPECT_EQ(twunk.path(), List()[first + 1]->m_strText);
  EXPECT_EQ(1, List()[first + 1]->m_nIndex);
  EXPECT_EQ(1, List()[first + 1]->m_bSelected);
  EXPECT_EQ(0, List().front()->m_bSelected);  // the user's choice stays
  EXPECT_TRUE(m_item.Checked());
}

TEST_F(SysFiles, PathsDifferingInLetterCaseAreOneEntry) {
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");
  m_item.Build();
  const size_t count = List().size();
  for (auto& entry : List()) CharUpperA(&entry->m_strText[0]);
  m_item.Build();
  EXPECT_EQ(count, List().size());
  std::string lower = config.path();
  CharLowerA(&lower[0]);
  EXPECT_TRUE(CSystemFiles::ListContainsPath(&List(), lower));
  EXPECT_FALSE(CSystemFiles::ListContainsPath(&List(), config.path() + "x"));
  EXPECT_FALSE(CSystemFiles::ListContainsPath(nullptr, config.path()));
}

// A file gone by another hand leaves the list, ticked or not, so that the item can close.
TEST_F(SysFiles, AVanishedFileLeavesTheListAndALockedOneIsNotAdded) {
  auto twunk = std::make_unique<ScopedFile>(WinDir() + "\\Twunk_16.exe");
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");
  m_item.Build();
  const size_t count = List().size() - 1;
  for (auto& entry : List()) entry->m_bSelected = entry->m_strText != twunk->path();
  twunk.reset();
  m_item.Build();
  EXPECT_EQ(count, List().size());

  // A file held open by another program fails the presence test and is not added.
  ScopedFile twunk32(WinDir() + "\\Twunk_32.exe");
  files_test::HeldOpen held(twunk32.path());
  m_item.Build();
  EXPECT_EQ(count, List().size());
}

TEST_F(SysFiles, LibrarySearchBeyondOneHundredTwentySevenCharactersFindsTheFile) {
  // A Windows directory deep enough that directory and pattern exceed 127 characters.
  const std::string fakeWindows = files_test::TempPath(std::string(60, 'w')) + "\\" +
                                  std::string(60, 'v');
  ScopedFile library(fakeWindows + "\\System32\\qlvimx" + std::string(40, 'x') + ".dll");
  m_item = CSystemFiles(fakeWindows, WindowsVersion(WindowsVersion::kNT5));
  m_item.Build();
  ASSERT_EQ(1u, List().size());
  EXPECT_EQ(library.path(), List()[0]->m_strText);
}

// Removal: the selected files go, the others stay with their numbers; a file that would not
// go stays listed and selected, and is reported; an unticked entry whose file is gone goes.
TEST_F(SysFiles, RemovesSelectedFilesAndKeepsWhatDidNotGo) {
  testing_support::MainDialog main;
  ScopedFile gone(WinDir() + "\\System32\\" + files_test::UniqueName("qlvimx", ".dll"));
  ScopedFile kept(WinDir() + "\\Twunk_16.exe");
  ScopedFile readOnly(WinDir() + "\\Twunk_32.exe", "x", FILE_ATTRIBUTE_READONLY);
  const std::string missing = WinDir() + "\\System32\\" + files_test::UniqueName("qlvimx", ".dll");
  CSelectionList& list = *main->SystemFiles().List();
  list.clear();
  list.emplace_back(new CSelectionEntry{gone.path(), 0, 1});
  list.emplace_back(new CSelectionEntry{kept.path(), 1, 0});
  list.emplace_back(new CSelectionEntry{missing, 2, 1});
  list.emplace_back(new CSelectionEntry{readOnly.path(), 3, 1});
  list.emplace_back(new CSelectionEntry{missing + "x", 4, 0});
  ASSERT_TRUE(main->SystemFiles().Found());
  files_test::SetBox(main, IDC_CHK_SYSFILES, BST_INDETERMINATE);

  const CRemovalReport report = main->SystemFiles().Remove();
  EXPECT_EQ(1, report.m_nStayed);
  EXPECT_EQ(static_cast<unsigned>(kStayFileLocked), report.m_stayReasons);

  EXPECT_FALSE(gone.present());
  EXPECT_TRUE(kept.present());
  EXPECT_TRUE(readOnly.present());
  ASSERT_EQ(2u, list.size());
  EXPECT_EQ(kept.path(), list[0]->m_strText);
  EXPECT_EQ(1, list[0]->m_nIndex);
  EXPECT_EQ(readOnly.path(), list[1]->m_strText);
  EXPECT_EQ(1, list[1]->m_bSelected);
  EXPECT_EQ(BST_INDETERMINATE, main.Check(IDC_CHK_SYSFILES));
  EXPECT_TRUE(main.Enabled(IDC_CHK_SYSFILES));
  EXPECT_TRUE(main->SystemFiles().Found());
}

TEST_F(SysFiles, ApplyThatEmptiesTheListUnchecksAndDisablesTheBox) {
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");
  files_test::RecordedCalls calls;
  FakeWindowsVersion xp(testing_support::Windows::WinXp);
  testing_support::MainDialog main;
  main.Click(IDC_CHK_SYSFILES);
  ASSERT_EQ(BST_CHECKED, main.Check(IDC_CHK_SYSFILES));

  main.Click(IDC_APPLY);

  EXPECT_FALSE(config.present());
  EXPECT_FALSE(testing_support::FilePresent(WinDir() + "\\Twain.dll"));
  EXPECT_TRUE(main->SystemFiles().List()->empty());
  EXPECT_EQ(BST_UNCHECKED, main.Check(IDC_CHK_SYSFILES));
  EXPECT_FALSE(main.Enabled(IDC_CHK_SYSFILES));
  EXPECT_FALSE(main->SystemFiles().Found());
}

TEST_F(SysFiles, DetailAddsNewFilesAndSetsTheBoxFromTheMarks) {
  FakeWindowsVersion xp(testing_support::Windows::WinXp);
  files_test::AnsweredMain answered;
  testing_support::MainDialog& main = *answered.dialog;
  CSelectionList& list = *main->SystemFiles().List();
  ASSERT_FALSE(list.empty());
  list.front()->m_bSelected = 0;
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");

  answered.answerer.Press(IDOK);
  main.Click(IDC_DETAIL_SYSFILES);

  EXPECT_EQ(1u, answered.Boxes().size());
  EXPECT_EQ(config.path(), main->SystemFiles().List()->back()->m_strText);
  EXPECT_EQ(BST_INDETERMINATE, main.Check(IDC_CHK_SYSFILES));
  EXPECT_TRUE(main->SystemFiles().Checked());
}

}  // namespace
