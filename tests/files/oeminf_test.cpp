#include <gtest/gtest.h>

#include <algorithm>

#include "app/cleanerdlg.h"
#include "files/file_fixture.h"
#include "platform/files.h"

namespace {

using files_test::RecordedCalls;
using files_test::ScopedFile;
using files_test::UniqueName;
using files_test::WinDir;

const char kCatalogs[] = "\\system32\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\";

// One OEM package: oem<n>.inf with `content`, its oem<n>.PNF and its catalog oem<n>.cat.
struct OemPackage {
  explicit OemPackage(const std::string& content, DWORD attributes = 0)
      : base(UniqueName("oemdpt")),
        inf(WinDir() + "\\inf\\" + base + ".inf", content, attributes),
        pnf(WinDir() + "\\inf\\" + base + ".PNF"),
        catalog(WinDir() + kCatalogs + base + ".cat", "x", attributes) {}
  std::string base;
  ScopedFile inf, pnf, catalog;
};

struct MarkerCase {
  const char* content;
  bool removed;
};

class OemMarker : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(OemMarker, RemovesOnlyPackagesWhoseCatalogEntryBeginsWithTheMark) {
  RecordedCalls calls;
  OemPackage package(GetParam().content);
  CCleanerDlg dlg;
  dlg.RemoveOemInfs();
  EXPECT_EQ(!GetParam().removed, package.inf.present());
  EXPECT_EQ(!GetParam().removed, package.pnf.present());
  EXPECT_EQ(!GetParam().removed, package.catalog.present());
  EXPECT_TRUE(RecordedCalls::commands.empty());
  EXPECT_TRUE(RecordedCalls::sleeps.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Markers, OemMarker,
    ::testing::Values(
        MarkerCase{"[Version]\r\nSignature=\"$Windows NT$\"\r\nCatalogFile=Qlvdr.cat\r\n", true},
        MarkerCase{"[Version]\r\nCatalogFile=Qlvdr_x86.cat\r\n", true},
        MarkerCase{"[version]\r\ncatalogfile = Qlvdr.cat\r\n", true},
        MarkerCase{"[Version]\r\nCatalogFile=qlvdr.cat\r\n", false},
        MarkerCase{"[Version]\r\nCatalogFile=XQlvdr.cat\r\n", false},
        MarkerCase{"[Version]\r\nCatalogFile=Qlvd.cat\r\n", false},
        MarkerCase{"[Version]\r\nSignature=\"$Windows NT$\"\r\n", false},
        MarkerCase{"[Strings]\r\nCatalogFile=Qlvdr.cat\r\n", false},
        MarkerCase{"", false}));

// INF files of any content: the package goes only when its catalog entry can be read and
// begins with the mark.
struct HostileInf {
  const char* label;
  std::string content;
  bool removed;
};

void PrintTo(const HostileInf& c, std::ostream* out) { *out << c.label; }

std::string Utf16(const std::string& text) {
  std::string wide("\xFF\xFE", 2);
  for (char c : text) wide += std::string{c, '\0'};
  return wide;
}

std::string Garbage(size_t size) { return files_test::Garbage(size, 54321); }

class OemHostileContent : public ::testing::TestWithParam<HostileInf> {};

TEST_P(OemHostileContent, RemovesThePackageOnlyForAReadableMark) {
  RecordedCalls calls;
  OemPackage package(GetParam().content);
  CCleanerDlg dlg;
  dlg.RemoveOemInfs();
  EXPECT_EQ(!GetParam().removed, package.inf.present());
  EXPECT_EQ(!GetParam().removed, package.catalog.present());
  EXPECT_TRUE(RecordedCalls::commands.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Contents, OemHostileContent,
    ::testing::Values(
        HostileInf{"BinaryGarbage", Garbage(8192), false},
        HostileInf{"GarbageBeforeTheSection",
                   Garbage(4096) + "\r\n[Version]\r\nCatalogFile=Qlvdr.cat\r\n", true},
        HostileInf{"Utf16", Utf16("[Version]\r\nCatalogFile=Qlvdr.cat\r\n"), true},
        HostileInf{"LongValue", "[Version]\r\nCatalogFile=Qlvdr" + std::string(1000, 'c') + "\r\n",
                   true},
        // Too long to be read at all: no mark is seen.
        HostileInf{"HundredKilobyteValue",
                   "[Version]\r\nCatalogFile=Qlvdr" + std::string(100 * 1024, 'c') + "\r\n", false},
        HostileInf{"EmptyValue", "[Version]\r\nCatalogFile=\r\n", false},
        HostileInf{"ZeroBeforeTheMark", std::string("[Version]\r\nCatalogFile=\0Qlvdr.cat\r\n", 35),
                   false}),
    [](const ::testing::TestParamInfo<HostileInf>& info) { return std::string(info.param.label); });

// The attributes are cleared without starting a program: an attrib.exe planted beside the
// program, which Windows would find first, never runs, and nothing waits for one.
TEST(OemInfs, ClearsAttributesWithoutStartingAProgramOrWaiting) {
  RecordedCalls calls;
  platform::System().WinExec = &RecordedCalls::RecordAndRun;
  files_test::PlantedProgram attrib(platform::DirectoryOf(platform::ModulePath()) + "\\attrib.exe");
  OemPackage package("[Version]\r\nCatalogFile=Qlvdr.cat\r\n",
                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  CCleanerDlg dlg;
  dlg.RemoveOemInfs();
  EXPECT_FALSE(package.inf.present());
  EXPECT_FALSE(package.catalog.present());
  EXPECT_TRUE(RecordedCalls::commands.empty());
  EXPECT_TRUE(RecordedCalls::sleeps.empty());
  EXPECT_EQ("", attrib.Ran(RecordedCalls::commands.empty() ? 0 : 20000));
}

// Only the read-only and hidden attributes go: a package file that stays (held open by a
// program that reads it) keeps its others.
TEST(OemInfs, AReadOnlyHiddenPackageGoesAndWhatStaysKeepsItsOtherAttributes) {
  RecordedCalls calls;
  const DWORD marks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  OemPackage package("[Version]\r\nCatalogFile=Qlvdr.cat\r\n", marks);
  OemPackage held("[Version]\r\nCatalogFile=Qlvdr.cat\r\n", marks);
  {
    files_test::HeldOpen open(held.inf.path(), FILE_SHARE_READ);
    CCleanerDlg dlg;
    dlg.RemoveOemInfs();
  }
  EXPECT_FALSE(package.inf.present());
  EXPECT_FALSE(package.catalog.present());
  ASSERT_TRUE(held.inf.present());
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_SYSTEM),
            ::GetFileAttributesA(held.inf.path().c_str()) & marks);
}

TEST(OemInfs, DeletesTheCatalogNamedAfterTheInfNotTheOneItNames) {
  RecordedCalls calls;
  ScopedFile named(WinDir() + kCatalogs + UniqueName("Qlvdr", ".cat"));
  const std::string value = named.path().substr(named.path().rfind('\\') + 1);
  OemPackage package("[Version]\r\nCatalogFile=" + value + "\r\n");
  CCleanerDlg dlg;
  dlg.RemoveOemInfs();
  EXPECT_FALSE(package.catalog.present());
  EXPECT_TRUE(named.present());
}

// A package goes whole or stays findable: its .inf, which carries the mark, goes only once
// its .PNF and its catalog went, and a missing part counts as gone.
TEST(OemInfs, MissingCompanionsDoNotStopTheOthersOrTheNextPackage) {
  RecordedCalls calls;
  const std::string base = UniqueName("oemdpt");
  ScopedFile infOnly(WinDir() + "\\inf\\" + base + ".inf", "[Version]\r\nCatalogFile=Qlvdr.cat\r\n");
  // Its .PNF is held open, so that deletion fails; the catalog still goes, the .inf stays.
  OemPackage locked("[Version]\r\nCatalogFile=Qlvdr.cat\r\n");
  OemPackage next("[Version]\r\nCatalogFile=Qlvdr.cat\r\n");
  CCleanerDlg dlg;
  {
    files_test::HeldOpen held(locked.pnf.path());
    dlg.RemoveOemInfs();
  }
  EXPECT_FALSE(infOnly.present());
  EXPECT_TRUE(locked.inf.present());
  EXPECT_TRUE(locked.pnf.present());
  EXPECT_FALSE(locked.catalog.present());
  EXPECT_FALSE(next.inf.present());
  EXPECT_FALSE(next.catalog.present());
  const std::vector<std::string> left = dlg.FindOemInfs();
  EXPECT_NE(left.end(), std::find(left.begin(), left.end(), locked.base + ".inf"));

  dlg.RemoveOemInfs();
  EXPECT_FALSE(locked.inf.present());
  EXPECT_FALSE(locked.pnf.present());
}

TEST(OemInfs, WithoutMarkedPackagesNothingStartsAndNothingWaits) {
  RecordedCalls calls;
  OemPackage unmarked("[Version]\r\nCatalogFile=other.cat\r\n");
  ScopedFile notOem(WinDir() + "\\inf\\" + UniqueName("dpt", ".inf"), "[Version]\r\nCatalogFile=Qlvdr.cat\r\n");
  CCleanerDlg dlg;
  dlg.RemoveOemInfs();
  EXPECT_TRUE(RecordedCalls::commands.empty());
  EXPECT_TRUE(RecordedCalls::sleeps.empty());
  EXPECT_TRUE(notOem.present());
}

}  // namespace
