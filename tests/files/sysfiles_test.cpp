#include <gtest/gtest.h>

#include <memory>

#include "app/cleanerdlg.h"
#include "files/file_fixture.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"
#include "support/registry_fixture.h"

namespace {

using files_test::ScopedFile;
using files_test::SeededFile;
using files_test::WinDir;

struct Flags {
  int win95, win98, winme, nt4, nt5;
};

void SetPlatform(CCleanerDlg& dlg, const Flags& flags) {
  dlg.m_bWin95 = flags.win95;
  dlg.m_bWin98 = flags.win98;
  dlg.m_bWinME = flags.winme;
  dlg.m_bNT4 = flags.nt4;
  dlg.m_bNT5 = flags.nt5;
}

std::vector<std::string> Texts(const CSelectionList& list) {
  std::vector<std::string> texts;
  for (const auto& entry : list) texts.push_back(entry->m_strText);
  return texts;
}

// Every candidate of every platform exists; which of them a platform lists is the test.
class SysFilesCandidates : public ::testing::TestWithParam<std::pair<Flags, const char*>> {
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
  CCleanerDlg dlg;
  dlg.m_strWinDir = WinDir();
  SetPlatform(dlg, GetParam().first);
  dlg.BuildSysFilesList();

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
  ASSERT_TRUE(dlg.m_pSysFilesList);
  EXPECT_EQ(expected, Texts(*dlg.m_pSysFilesList));
  for (size_t i = 0; i < dlg.m_pSysFilesList->size(); ++i) {
    EXPECT_EQ(static_cast<int>(i), (*dlg.m_pSysFilesList)[i]->m_nIndex);
    EXPECT_EQ(1, (*dlg.m_pSysFilesList)[i]->m_bSelected);
  }
  EXPECT_EQ(1, dlg.m_bSysFilesChecked);
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, SysFilesCandidates,
    ::testing::Values(std::make_pair(Flags{1, 0, 0, 0, 0}, "CIT"),
                      std::make_pair(Flags{0, 1, 0, 0, 0}, "CLDiT"),
                      std::make_pair(Flags{0, 0, 1, 0, 0}, "CliT"),
                      std::make_pair(Flags{0, 0, 0, 1, 0}, "CT"),
                      std::make_pair(Flags{0, 0, 0, 0, 1}, "ClT"),
                      std::make_pair(Flags{0, 0, 0, 1, 1}, "CT"),
                      std::make_pair(Flags{0, 0, 0, 0, 0}, "CliT")));

// The system's two TWAIN libraries are there; the TWAIN helpers are not.
class SysFiles : public ::testing::Test {
 protected:
  SeededFile m_twain{WinDir() + "\\Twain.dll"};
  SeededFile m_twain32{WinDir() + "\\Twain_32.dll"};
  files_test::ScopedBackup m_twunk16{WinDir() + "\\Twunk_16.exe"};
  files_test::ScopedBackup m_twunk32{WinDir() + "\\Twunk_32.exe"};
  CCleanerDlg m_dlg;
  void SetUp() override {
    for (const char* helper : {"\\Twunk_16.exe", "\\Twunk_32.exe"})
      testing_support::RemoveFile(WinDir() + helper);
    m_dlg.m_strWinDir = WinDir();
    SetPlatform(m_dlg, {0, 0, 0, 0, 1});
  }
  CSelectionList& List() { return *m_dlg.m_pSysFilesList; }
};

TEST_F(SysFiles, LaterBuildsAppendOnlyNewFilesNumberedFromZero) {
  m_dlg.BuildSysFilesList();
  const size_t first = List().size();  // the two TWAIN libraries
  ASSERT_EQ(2u, first);
  List().front()->m_bSelected = 0;
  m_dlg.BuildSysFilesList();
  EXPECT_EQ(first, List().size());

  ScopedFile twunk(WinDir() + "\\Twunk_32.exe");
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");
  m_dlg.m_bSysFilesChecked = 0;
  m_dlg.BuildSysFilesList();
  ASSERT_EQ(first + 2, List().size());
  EXPECT_EQ(config.path(), List()[first]->m_strText);
  EXPECT_EQ(0, List()[first]->m_nIndex);
  EXPECT_EQ(twunk.path(), List()[first + 1]->m_strText);
  EXPECT_EQ(1, List()[first + 1]->m_nIndex);
  EXPECT_EQ(1, List()[first + 1]->m_bSelected);
  EXPECT_EQ(0, List().front()->m_bSelected);  // the user's choice stays
  EXPECT_EQ(1, m_dlg.m_bSysFilesChecked);
}

TEST_F(SysFiles, PathsDifferingInLetterCaseAreOneEntry) {
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");
  m_dlg.BuildSysFilesList();
  const size_t count = List().size();
  for (auto& entry : List()) CharUpperA(&entry->m_strText[0]);
  m_dlg.BuildSysFilesList();
  EXPECT_EQ(count, List().size());
  std::string lower = config.path();
  CharLowerA(&lower[0]);
  EXPECT_TRUE(m_dlg.ListContainsPath(&List(), lower));
  EXPECT_FALSE(m_dlg.ListContainsPath(&List(), config.path() + "x"));
  EXPECT_FALSE(m_dlg.ListContainsPath(nullptr, config.path()));
}

TEST_F(SysFiles, AVanishedOrLockedFileStaysListed) {
  auto twunk = std::make_unique<ScopedFile>(WinDir() + "\\Twunk_16.exe");
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");
  m_dlg.BuildSysFilesList();
  const size_t count = List().size();
  twunk.reset();
  m_dlg.BuildSysFilesList();
  EXPECT_EQ(count, List().size());

  // A file held open by another program fails the presence test and is not added.
  ScopedFile twunk32(WinDir() + "\\Twunk_32.exe");
  files_test::HeldOpen held(twunk32.path());
  m_dlg.BuildSysFilesList();
  EXPECT_EQ(count, List().size());
}

TEST_F(SysFiles, LibrarySearchBeyondOneHundredTwentySevenCharactersFindsTheFile) {
  // A Windows directory deep enough that directory and pattern exceed 127 characters.
  const std::string fakeWindows = files_test::TempPath(std::string(60, 'w')) + "\\" +
                                  std::string(60, 'v');
  ScopedFile library(fakeWindows + "\\System32\\qlvimx" + std::string(40, 'x') + ".dll");
  m_dlg.m_strWinDir = fakeWindows;
  m_dlg.BuildSysFilesList();
  ASSERT_EQ(1u, List().size());
  EXPECT_EQ(library.path(), List()[0]->m_strText);
}

// Removal: the selected files go, the others stay with their numbers; a file that would not
// go stays listed and selected.
TEST_F(SysFiles, RemovesSelectedFilesAndKeepsWhatDidNotGo) {
  testing_support::MainDialog main;
  main->m_strWinDir = WinDir();
  ScopedFile gone(WinDir() + "\\System32\\" + files_test::UniqueName("qlvimx", ".dll"));
  ScopedFile kept(WinDir() + "\\Twunk_16.exe");
  ScopedFile readOnly(WinDir() + "\\Twunk_32.exe", "x", FILE_ATTRIBUTE_READONLY);
  const std::string missing = WinDir() + "\\System32\\" + files_test::UniqueName("qlvimx", ".dll");
  main->m_pSysFilesList.reset(new CSelectionList);
  main->m_pSysFilesList->emplace_back(new CSelectionEntry{gone.path(), 0, 1});
  main->m_pSysFilesList->emplace_back(new CSelectionEntry{kept.path(), 1, 0});
  main->m_pSysFilesList->emplace_back(new CSelectionEntry{missing, 2, 1});
  main->m_pSysFilesList->emplace_back(new CSelectionEntry{readOnly.path(), 3, 1});
  main->m_bSysFilesFound = 1;
  main->SetCheck(IDC_CHK_SYSFILES, BST_INDETERMINATE);

  main->RemoveSystemFiles();

  EXPECT_FALSE(gone.present());
  EXPECT_TRUE(kept.present());
  EXPECT_TRUE(readOnly.present());
  ASSERT_EQ(2u, main->m_pSysFilesList->size());
  EXPECT_EQ(kept.path(), (*main->m_pSysFilesList)[0]->m_strText);
  EXPECT_EQ(1, (*main->m_pSysFilesList)[0]->m_nIndex);
  EXPECT_EQ(readOnly.path(), (*main->m_pSysFilesList)[1]->m_strText);
  EXPECT_EQ(1, (*main->m_pSysFilesList)[1]->m_bSelected);
  EXPECT_EQ(BST_INDETERMINATE, main.Check(IDC_CHK_SYSFILES));
  EXPECT_TRUE(main.Enabled(IDC_CHK_SYSFILES));
  EXPECT_EQ(1, main->m_bSysFilesFound);
}

TEST_F(SysFiles, ApplyThatEmptiesTheListUnchecksAndDisablesTheBox) {
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");
  files_test::RecordedCalls calls;
  testing_support::MainDialog main;
  SetPlatform(*main, {0, 0, 0, 0, 1});
  main.Click(IDC_CHK_SYSFILES);
  ASSERT_EQ(BST_CHECKED, main.Check(IDC_CHK_SYSFILES));

  main.Click(IDC_APPLY);

  EXPECT_FALSE(config.present());
  EXPECT_FALSE(testing_support::FilePresent(WinDir() + "\\Twain.dll"));
  EXPECT_TRUE(main->m_pSysFilesList->empty());
  EXPECT_EQ(BST_UNCHECKED, main.Check(IDC_CHK_SYSFILES));
  EXPECT_FALSE(main.Enabled(IDC_CHK_SYSFILES));
  EXPECT_EQ(0, main->m_bSysFilesFound);
}

TEST_F(SysFiles, DetailAddsNewFilesAndSetsTheBoxFromTheMarks) {
  files_test::AnsweredMain answered;
  testing_support::MainDialog& main = *answered.dialog;
  main->m_strWinDir = WinDir();
  SetPlatform(*main, {0, 0, 0, 0, 1});
  ASSERT_FALSE(main->m_pSysFilesList->empty());
  main->m_pSysFilesList->front()->m_bSelected = 0;
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");

  answered.answerer.Press(IDOK);
  main.Click(IDC_DETAIL_SYSFILES);

  EXPECT_EQ(1u, answered.Boxes().size());
  EXPECT_EQ(config.path(), main->m_pSysFilesList->back()->m_strText);
  EXPECT_EQ(BST_INDETERMINATE, main.Check(IDC_CHK_SYSFILES));
  EXPECT_EQ(1, main->m_bSysFilesChecked);
}

}  // namespace
