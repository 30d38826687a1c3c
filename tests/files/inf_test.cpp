#include <gtest/gtest.h>

#include <memory>

#include "files/file_fixture.h"
#include "files/inf.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"
#include "support/registry_fixture.h"
#include "support/version_fake.h"

namespace {

using files_test::ScopedFile;
using files_test::SetBox;
using files_test::UniqueName;
using files_test::WinDir;

class InfFiles : public ::testing::Test {
 protected:
  // A file in the INF store (or below it) under a fresh name.
  ScopedFile& Inf(const std::string& stem = "dpt", const std::string& folder = "\\INF\\",
                  DWORD attributes = 0) {
    m_files.emplace_back(new ScopedFile(WinDir() + folder + UniqueName(stem, ".inf"), "x", attributes));
    return *m_files.back();
  }
  static std::string Name(const ScopedFile& file) {
    return file.path().substr(file.path().rfind('\\') + 1);
  }
  // A fresh settings file with section [INF] holding `lines`; returns its path.
  std::string Settings(const std::vector<std::string>& lines) {
    std::string content = "[INF]\r\n";
    for (const std::string& line : lines) content += line + "\r\n";
    m_settings.emplace_back(new ScopedFile(files_test::TempPath(".ini"), content));
    return m_settings.back()->path();
  }
  static std::vector<std::string> Texts(const CSelectionList& list) {
    std::vector<std::string> texts;
    for (const auto& entry : list) texts.push_back(entry->m_strText);
    return texts;
  }
  // The item as the dialog makes it, on the Windows with `flags`.
  static CInfFiles Item(const std::string& settings, unsigned flags = 0) {
    return CInfFiles(WinDir(), settings, WindowsVersion(flags));
  }
  // The real main dialog on Windows XP (or 98), whose settings file beside the program is a
  // copy of `settings` (absent when `settings` is).
  testing_support::MainDialog& OpenMain(const std::string& settings, bool nt5 = true) {
    m_main.reset();
    m_version.reset(new testing_support::FakeWindowsVersion(
        nt5 ? testing_support::Windows::WinXp : testing_support::Windows::Win98));
    m_beside.reset(testing_support::FilePresent(settings)
                       ? new files_test::ProgramSettings(testing_support::ReadWholeFile(settings))
                       : new files_test::ProgramSettings);
    m_main.reset(new files_test::AnsweredMain);
    return *m_main->dialog;
  }

  files_test::RecordedCalls m_calls;
  std::vector<std::unique_ptr<ScopedFile>> m_files, m_settings;
  std::unique_ptr<testing_support::FakeWindowsVersion> m_version;
  std::unique_ptr<files_test::ProgramSettings> m_beside;
  std::unique_ptr<files_test::AnsweredMain> m_main;
  void TearDown() override {
    m_main.reset();
    m_beside.reset();
    m_version.reset();
    // Newest first, so that a folder a file brought along is empty when that file goes.
    while (!m_files.empty()) m_files.pop_back();
  }
};

TEST_F(InfFiles, ListsTheNamedFilesThatOpenNumberedInOrder) {
  ScopedFile& first = Inf();
  ScopedFile& second = Inf();
  CInfFiles item = Item(Settings({"Total=4", "1=" + Name(first), "2=" + UniqueName("missing", ".inf"),
                                  "3=", "4=" + Name(second), "5=" + Name(first)}));
  item.Build();
  ASSERT_TRUE(item.List());
  ASSERT_EQ((std::vector<std::string>{first.path(), second.path()}), Texts(*item.List()));
  EXPECT_EQ(0, (*item.List())[0]->m_nIndex);
  EXPECT_EQ(1, (*item.List())[1]->m_nIndex);
  EXPECT_EQ(1, (*item.List())[1]->m_bSelected);
  EXPECT_TRUE(item.Checked());
}

TEST_F(InfFiles, TotalCountsWithItsLow16BitsOnly) {
  ScopedFile& first = Inf();
  ScopedFile& second = Inf();
  const struct { const char* total; size_t entries; } cases[] = {
      {"65537", 1}, {"65536", 0}, {"2", 2}, {"0", 0}, {"nonsense", 0}};
  for (const auto& c : cases) {
    CInfFiles item = Item(Settings({std::string("Total=") + c.total, "1=" + Name(first), "2=" + Name(second)}));
    item.Build();
    EXPECT_EQ(c.entries, item.List()->size()) << c.total;
  }
}

TEST_F(InfFiles, AMissingSettingsFileListsNothing) {
  CInfFiles item = Item(files_test::TempPath(".ini"));
  item.Build();
  ASSERT_TRUE(item.List());
  EXPECT_TRUE(item.List()->empty());
  EXPECT_TRUE(item.Checked());
}

TEST_F(InfFiles, ALongNameIsReadWhole) {
  ScopedFile& file = Inf("dpt long name " + std::string(40, 'n'));
  ASSERT_TRUE(file.present());
  CInfFiles item = Item(Settings({"Total=1", "1=" + Name(file)}));
  item.Build();
  EXPECT_EQ(std::vector<std::string>{file.path()}, Texts(*item.List()));
}

// The settings file names files of the INF folder only: a value that would reach another
// file is no entry, and so Apply cannot delete that file.
TEST_F(InfFiles, ValuesLeadingOutOfTheInfFolderNameNothing) {
  ScopedFile outside(WinDir() + "\\" + UniqueName("dpt", ".ini"));
  ScopedFile& other = Inf("dpt", "\\INF\\Other\\");
  const std::string values[] = {
      "..\\" + Name(outside),
      "Other\\" + Name(other),
      "Other/" + Name(other),
      ".\\..\\" + Name(outside),
      outside.path(),
      "C:" + Name(other),
      "..",
  };
  for (const std::string& value : values) {
    CInfFiles item = Item(Settings({"Total=1", "1=" + value}), WindowsVersion::kNT5);
    item.Build();
    EXPECT_TRUE(item.List()->empty()) << value;
    item.Remove();
  }
  EXPECT_TRUE(outside.present());
  EXPECT_TRUE(other.present());
}

TEST_F(InfFiles, RemovalRenumbersTheEntriesLeftAndARebuildKeepsTheirMarks) {
  ScopedFile& first = Inf();
  ScopedFile& second = Inf();
  ScopedFile& third = Inf();
  const std::string fourth = WinDir() + "\\INF\\" + UniqueName("dpt", ".inf");
  auto& main = OpenMain(Settings({"Total=4", "1=" + Name(first), "2=" + Name(second),
                             "3=" + Name(third), "4=" + fourth.substr(fourth.rfind('\\') + 1)}));
  main->BuildINFList();
  (*main->InfFiles().List())[1]->m_bSelected = 0;
  (*main->InfFiles().List())[2]->m_bSelected = 0;

  main->RemoveINFFiles();

  const CSelectionList* list = main->InfFiles().List();
  EXPECT_FALSE(first.present());
  ASSERT_EQ((std::vector<std::string>{second.path(), third.path()}), Texts(*list));
  EXPECT_EQ(0, (*list)[0]->m_nIndex);
  EXPECT_EQ(1, (*list)[1]->m_nIndex);
  EXPECT_TRUE(main.Enabled(IDC_CHK_INF));

  ScopedFile added(fourth);
  main->BuildINFList();
  list = main->InfFiles().List();
  ASSERT_EQ((std::vector<std::string>{second.path(), third.path(), fourth}), Texts(*list));
  EXPECT_EQ(0, (*list)[0]->m_bSelected);
  EXPECT_EQ(0, (*list)[1]->m_bSelected);
  EXPECT_EQ(1, (*list)[2]->m_bSelected);
}

// The second entry finds its file gone: no file error, and the entry goes with it.
TEST_F(InfFiles, AFileListedTwiceIsDeletedOnceAndBothEntriesGo) {
  ScopedFile& file = Inf();
  auto& main = OpenMain(Settings({"Total=2", "1=" + Name(file), "2=" + Name(file)}));
  main.Click(IDC_CHK_INF);
  ASSERT_EQ(2u, main->InfFiles().List()->size());
  main.Click(IDC_APPLY);
  EXPECT_TRUE(m_main->Boxes().empty());
  EXPECT_FALSE(file.present());
  EXPECT_TRUE(main->InfFiles().List()->empty());
}

// Ticks follow the file, not its place in the list: a ticked file that goes by another hand
// (the maker's uninstaller) leaves the unticked files behind it unticked, and they stay.
TEST_F(InfFiles, TicksFollowTheirFileWhenATickedFileGoesByAnotherHand) {
  ScopedFile& a = Inf();
  ScopedFile& b = Inf();
  ScopedFile& c = Inf();
  ScopedFile& d = Inf();
  CInfFiles item =
      Item(Settings({"Total=4", "1=" + Name(a), "2=" + Name(b), "3=" + Name(c), "4=" + Name(d)}));
  item.Build();
  (*item.List())[2]->m_bSelected = false;
  (*item.List())[3]->m_bSelected = false;
  testing_support::RemoveFile(b.path());

  item.Remove();
  EXPECT_EQ((std::vector<std::string>{c.path(), d.path()}), Texts(*item.List()));
  item.Build();
  ASSERT_EQ((std::vector<std::string>{c.path(), d.path()}), Texts(*item.List()));
  for (const auto& entry : *item.List()) EXPECT_FALSE(entry->m_bSelected) << entry->m_strText;
  item.Remove();
  EXPECT_FALSE(a.present());
  EXPECT_TRUE(c.present());
  EXPECT_TRUE(d.present());

  // A file that comes back is new to the list, and ticked; the others keep their marks.
  testing_support::WriteFile(a.path(), "x");
  item.Build();
  ASSERT_EQ((std::vector<std::string>{a.path(), c.path(), d.path()}), Texts(*item.List()));
  item.Remove();
  EXPECT_FALSE(a.present());
  EXPECT_TRUE(c.present());
  EXPECT_TRUE(d.present());
}

// Of what the user chose, what stays is reported with its reason: a listed file held open,
// a read-only file in INF\Other and an OEM package whose .PNF is held open; an unticked file
// is kept but did not stay.
TEST_F(InfFiles, ReportsWhatStaysOfWhatWasChosenAndWhy) {
  ScopedFile& held = Inf();
  ScopedFile& unticked = Inf();
  Inf("Quillmar", "\\INF\\Other\\", FILE_ATTRIBUTE_READONLY);
  const std::string base = UniqueName("oemdpt");
  ScopedFile oem(WinDir() + "\\INF\\" + base + ".inf", "[Version]\r\nCatalogFile=Qlvdr.cat\r\n");
  ScopedFile pnf(WinDir() + "\\INF\\" + base + ".PNF");
  CInfFiles item = Item(Settings({"Total=2", "1=" + Name(held), "2=" + Name(unticked)}),
                        WindowsVersion::kNT5);
  item.Build();
  (*item.List())[1]->m_bSelected = false;
  CRemovalReport report;
  {
    files_test::HeldOpen open(held.path()), openPnf(pnf.path());
    report = item.Remove();
  }
  EXPECT_EQ(3, report.m_nStayed);
  EXPECT_EQ(static_cast<unsigned>(kStayFileLocked), report.m_stayReasons);
  EXPECT_EQ(4, report.m_nKept);
  EXPECT_TRUE(oem.present());
}

// With no settings file the box still works: Apply removes the unlisted files, the OEM
// packages only on Windows 2000 and later, and then closes the item down.
class InfApplyWithoutSettings : public InfFiles, public ::testing::WithParamInterface<bool> {};

TEST_P(InfApplyWithoutSettings, RemovesTheUnlistedFilesAndClosesTheItem) {
  const bool nt5 = GetParam();
  ScopedFile& other = Inf("Quillmar", "\\INF\\Other\\");
  ScopedFile& unrelated = Inf("dpt", "\\INF\\Other\\");
  ScopedFile oem(WinDir() + "\\INF\\" + UniqueName("oemdpt", ".inf"), "[Version]\r\nCatalogFile=Qlvdr.cat\r\n");
  auto& main = OpenMain(files_test::TempPath(".ini"), nt5);
  main->InfFiles().SetFound(true);
  main.Click(IDC_CHK_INF);
  ASSERT_EQ(BST_CHECKED, main.Check(IDC_CHK_INF));

  main.Click(IDC_APPLY);

  EXPECT_FALSE(other.present());
  EXPECT_TRUE(unrelated.present());
  EXPECT_EQ(!nt5, oem.present());
  EXPECT_EQ(BST_UNCHECKED, main.Check(IDC_CHK_INF));
  EXPECT_FALSE(main.Enabled(IDC_CHK_INF));
  EXPECT_FALSE(main->InfFiles().Found());
}

// Select All checks the item for the unlisted files alone, Apply removes them, and looking
// removed nothing before Apply. An OEM package counts on Windows 2000 and later only.
TEST_P(InfApplyWithoutSettings, SelectAllChecksTheItemForTheUnlistedFiles) {
  const bool nt5 = GetParam();
  ScopedFile oem(WinDir() + "\\INF\\" + UniqueName("oemdpt", ".inf"), "[Version]\r\nCatalogFile=Qlvdr.cat\r\n");
  auto& main = OpenMain(files_test::TempPath(".ini"), nt5);
  main.Click(IDC_SELECTALL);
  EXPECT_EQ(nt5 ? BST_CHECKED : BST_UNCHECKED, main.Check(IDC_CHK_INF));

  ScopedFile& other = Inf("Quillmar", "\\INF\\Other\\");
  main.Click(IDC_SELECTALL);
  EXPECT_EQ(BST_CHECKED, main.Check(IDC_CHK_INF));
  EXPECT_TRUE(other.present());
  EXPECT_TRUE(oem.present());

  main.Click(IDC_APPLY);
  EXPECT_FALSE(other.present());
  EXPECT_EQ(!nt5, oem.present());
  EXPECT_FALSE(main.Enabled(IDC_CHK_INF));
}

// An unlisted file or OEM package that will not go keeps the item open, as a listed file
// does: the box stays enabled and checked, Select All checks it again, and only the Apply
// that leaves nothing closes it. A read-only file in INF\\Other is not made writable.
TEST_P(InfApplyWithoutSettings, WhatWillNotGoKeepsTheItemOpen) {
  const bool nt5 = GetParam();
  ScopedFile& other = Inf("Quillmar", "\\INF\\Other\\", FILE_ATTRIBUTE_READONLY);
  // The package is held open, as a program that reads it would: it stays too.
  ScopedFile oem(WinDir() + "\\INF\\" + UniqueName("oemdpt", ".inf"),
                 "[Version]\r\nCatalogFile=Qlvdr.cat\r\n", FILE_ATTRIBUTE_READONLY);
  std::unique_ptr<files_test::HeldOpen> held(new files_test::HeldOpen(oem.path(), FILE_SHARE_READ));
  auto& main = OpenMain(files_test::TempPath(".ini"), nt5);
  main.Click(IDC_SELECTALL);
  main.Click(IDC_APPLY);
  EXPECT_TRUE(other.present());
  EXPECT_TRUE(main.Enabled(IDC_CHK_INF));
  EXPECT_EQ(BST_CHECKED, main.Check(IDC_CHK_INF));
  EXPECT_TRUE(main->InfFiles().Found());

  main.Click(IDC_SELECTALL);
  EXPECT_TRUE(main.Enabled(IDC_CHK_INF));
  EXPECT_EQ(BST_CHECKED, main.Check(IDC_CHK_INF));

  // The package alone keeps it open, on Windows 2000 and later only.
  ::SetFileAttributesA(other.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  main.Click(IDC_APPLY);
  EXPECT_FALSE(other.present());
  EXPECT_TRUE(oem.present());
  EXPECT_EQ(nt5, main.Enabled(IDC_CHK_INF));

  held.reset();
  main.Click(IDC_APPLY);
  EXPECT_EQ(!nt5, oem.present());
  EXPECT_FALSE(main.Enabled(IDC_CHK_INF));
  EXPECT_EQ(BST_UNCHECKED, main.Check(IDC_CHK_INF));
  EXPECT_FALSE(main->InfFiles().Found());
}

INSTANTIATE_TEST_SUITE_P(Platforms, InfApplyWithoutSettings, ::testing::Bool());

TEST_F(InfFiles, AReadOnlyListedFileShowsTheFileErrorAndEndsTheCleaningRun) {
  ScopedFile& readOnly = Inf("dpt", "\\INF\\", FILE_ATTRIBUTE_READONLY);
  ScopedFile& other = Inf("Quillmar", "\\INF\\Other\\");
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");
  auto& main = OpenMain(Settings({"Total=1", "1=" + Name(readOnly)}));
  main.Click(IDC_CHK_INF);
  main->BuildSysFilesList();
  for (auto& entry : *main->SystemFiles().List()) entry->m_bSelected = entry->m_strText == config.path();
  SetBox(main, IDC_CHK_SYSFILES, BST_INDETERMINATE);

  m_main->answerer.Press(IDOK);
  m_main->answerer.Press(IDOK);
  main.Click(IDC_APPLY);

  ASSERT_EQ(2u, m_main->Boxes().size());
  EXPECT_EQ("Access to an unnamed file was denied.", m_main->Boxes()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), m_main->Boxes()[0].icon);
  EXPECT_TRUE(readOnly.present());
  EXPECT_EQ(std::vector<std::string>{readOnly.path()}, Texts(*main->InfFiles().List()));
  // Nothing after the failed deletion ran: not the rest of the INF step, not the system files.
  EXPECT_TRUE(other.present());
  EXPECT_TRUE(config.present());
  EXPECT_TRUE(main.Enabled(IDC_CHK_INF));
  EXPECT_TRUE(main->Cleaned());
}

TEST_F(InfFiles, AListedFileHeldOpenStaysListedSelectedAndNamedAfterTheRun) {
  ScopedFile& held = Inf();
  ScopedFile& loose = Inf();
  auto& main = OpenMain(Settings({"Total=2", "1=" + Name(held), "2=" + Name(loose)}));
  main.Click(IDC_CHK_INF);
  files_test::HeldOpen open(held.path());

  main.Click(IDC_APPLY);

  ASSERT_EQ(1u, m_main->Boxes().size());
  EXPECT_EQ("DrvPurge could not remove everything you chose. Still there:\n\n"
            "INF for Quillmar Scanner: a file is in use or read-only.",
            m_main->Boxes()[0].text);
  EXPECT_TRUE(held.present());
  EXPECT_FALSE(loose.present());
  ASSERT_EQ(std::vector<std::string>{held.path()}, Texts(*main->InfFiles().List()));
  EXPECT_EQ(1, (*main->InfFiles().List())[0]->m_bSelected);
  EXPECT_EQ(BST_CHECKED, main.Check(IDC_CHK_INF));
}

// Device names open in any folder, but they name no file: nothing is listed for them, and
// the cleaning run does not stop on a deletion that could never succeed.
TEST_F(InfFiles, DeviceNamesNameNoFileAndTheCleaningRunGoesOn) {
  ScopedFile& real = Inf();
  ScopedFile config(WinDir() + "\\System32\\Qlmcfg.dll");
  auto& main = OpenMain(
      Settings({"Total=6", "1=NUL", "2=CON", "3=" + Name(real), "4=COM1", "5=nul.inf", "6=LPT1"}));
  main.Click(IDC_CHK_INF);
  EXPECT_EQ(std::vector<std::string>{real.path()}, Texts(*main->InfFiles().List()));
  main->BuildSysFilesList();
  for (auto& entry : *main->SystemFiles().List()) entry->m_bSelected = entry->m_strText == config.path();
  SetBox(main, IDC_CHK_SYSFILES, BST_INDETERMINATE);

  main.Click(IDC_APPLY);

  EXPECT_TRUE(m_main->Boxes().empty());
  EXPECT_FALSE(real.present());
  EXPECT_FALSE(config.present());  // the step after the INF files ran
}

// Looking is not cleaning: the Detail button and Select All leave every file in place.
TEST_F(InfFiles, DetailAndSelectAllDeleteNothing) {
  ScopedFile& listed = Inf();
  ScopedFile& other = Inf("Quillmar", "\\INF\\Other\\");
  ScopedFile oem(WinDir() + "\\INF\\" + UniqueName("oemdpt", ".inf"), "[Version]\r\nCatalogFile=Qlvdr.cat\r\n");
  auto& main = OpenMain(Settings({"Total=1", "1=" + Name(listed)}));

  m_main->answerer.Press(IDCANCEL);
  main.Click(IDC_DETAIL_INF);
  EXPECT_EQ(1u, m_main->Boxes().size());
  EXPECT_EQ(std::vector<std::string>{listed.path()}, Texts(*main->InfFiles().List()));

  main.Click(IDC_SELECTALL);
  EXPECT_EQ(1u, m_main->Boxes().size());
  EXPECT_EQ(BST_CHECKED, main.Check(IDC_CHK_INF));

  EXPECT_TRUE(listed.present());
  EXPECT_TRUE(other.present());
  EXPECT_TRUE(oem.present());
  EXPECT_TRUE(files_test::RecordedCalls::commands.empty());
  EXPECT_TRUE(files_test::RecordedCalls::sleeps.empty());
}

TEST_F(InfFiles, PatternDeletionTakesTheWholeOfALongPath) {
  const std::string directory = files_test::TempPath(std::string(70, 'd')) + "\\" + std::string(50, 'e');
  ScopedFile matching(directory + "\\Quillmar" + std::string(30, 'q') + ".inf");
  ScopedFile unrelated(directory + "\\Other.inf");
  CInfFiles::DeleteFilesByPattern(directory, "Quillmar*.inf");
  EXPECT_FALSE(matching.present());
  EXPECT_TRUE(unrelated.present());
}

}  // namespace
