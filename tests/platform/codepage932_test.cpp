// The program under the Japanese ANSI code page 932, where a double-byte character's trail
// byte may be an ASCII letter or a backslash. These tests run in a process of their own,
// started with a Japanese UTF-8 Unix locale (tools/test.sh), and fail anywhere else.
//
// Bytes used: 0x81 0x51 and 0x81 0x56 are single characters whose trail bytes are 'Q' and
// 'V'; 0x95 0x5C ends in a backslash byte; 0x83 0x61 and 0x83 0x41 differ only in a trail
// byte that looks like 'a' and 'A'; 0x82 0x60 and 0x82 0x81 are the full-width letters A, a.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "devices/device_fixture.h"
#include "devices/fixeditems.h"
#include "files/file_fixture.h"
#include "files/inf.h"
#include "files/sysfiles.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "software/products.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"
#include "support/registry_fixture.h"

namespace {

using files_test::ScopedFile;
using files_test::UniqueName;

void RequireCodePage932() {
  ASSERT_EQ(932u, ::GetACP()) << "start with LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 in the "
                                 "Unix environment and --gtest_filter='*CodePage932*'";
}

class CodePage932 : public ::testing::Test {
 protected:
  void SetUp() override { RequireCodePage932(); }
};

// --- Text helpers -------------------------------------------------------------------------

struct WordCase {
  const char* text;
  const char* word;
  bool found;
};

TEST_F(CodePage932, TrailBytesNeverStartAMakerWord) {
  const WordCase cases[] = {
      {"\x81Quillmar", "Quillmar", false},
      {"\x81Veldo", "Veldo", false},
      {"\xE0Quillmar", "Quillmar", false},
      {"\xFCVeldo", "Veldo", false},
      {"\x81\x81\x81Quillmar", "Quillmar", false},
      {"\x81Imagoquest", "Imagoquest", false},
      {"\x81SimpleSCSI", "SimpleSCSI", false},
      {"\x81\x40Quillmar", "Quillmar", true},
      {"\x81\x81Quillmar", "Quillmar", true},
      {"\x83\x4A\x83\x81\x83\x89 Veldo", "Veldo", true},
      {"Quillmar\x81", "Quillmar", true},
  };
  for (const WordCase& c : cases)
    EXPECT_EQ(c.found, platform::ContainsWord(c.text, c.word)) << c.text;
}

struct PathCase {
  const char* a;
  const char* b;
  bool same;
};

TEST_F(CodePage932, DoubleByteCharactersCompareAsUnits) {
  const PathCase cases[] = {
      {"\x83\x61", "\x83\x41", false},
      {"C:\\\x83\x61.dll", "c:\\\x83\x41.DLL", false},
      {"\x95\x5C", "\x95\x7C", false},
      {"\x82\x60.dll", "\x82\x81.DLL", true},
      {"C:\\WINDOWS\\\x95\x5C.dll", "c:\\windows\\\x95\x5C.DLL", true},
      {"\x83\x61", "\x83\x61", true},
  };
  for (const PathCase& c : cases)
    EXPECT_EQ(c.same, platform::SameTextNoCase(c.a, c.b)) << c.a << " / " << c.b;
  CSelectionList list;
  list.emplace_back(new CSelectionEntry{"C:\\\x83\x61.dll", 0, 1});
  EXPECT_FALSE(CSystemFiles::ListContainsPath(&list, "C:\\\x83\x41.dll"));
  EXPECT_TRUE(CSystemFiles::ListContainsPath(&list, "c:\\\x83\x61.DLL"));
}

TEST_F(CodePage932, ABackslashTrailByteSeparatesNothing) {
  EXPECT_EQ(std::string::npos, platform::LastBackslash("\x95\x5C"));
  EXPECT_EQ(1u, platform::LastBackslash("a\\\x95\x5C"));
  EXPECT_EQ(2u, platform::LastBackslash("\x95\x5C\\\x95\x5C" "b"));
}

TEST_F(CodePage932, WildcardsTakeADoubleByteCharacterAsOne) {
  EXPECT_TRUE(platform::MatchesWildcard("\x83\x41.inf", "?.inf"));
  EXPECT_FALSE(platform::MatchesWildcard("\x83\x41.inf", "??.inf"));
  // A trail byte that looks like a letter is no letter of its own.
  EXPECT_FALSE(platform::MatchesWildcard("\x83\x41.inf", "*A.inf"));
  EXPECT_FALSE(platform::MatchesWildcard("\x83\x61.inf", "\x83\x41.inf"));
  EXPECT_TRUE(platform::MatchesWildcard("Quillmar\x82\x81.inf", "quillmar\x82\x60*.INF"));
}

// --- Device registrations, end to end ------------------------------------------------------

class CodePage932Devices
    : public ::testing::TestWithParam<std::tuple<const devices_test::Category*, bool>> {
 protected:
  CodePage932Devices() : m_group(category().Group(nt5())) {}
  void SetUp() override {
    RequireCodePage932();
    if (!nt5()) platform::System().RegDeleteKeyA = &devices_test::RegDeleteKeyAs9x;
  }
  const devices_test::Category& category() const { return *std::get<0>(GetParam()); }
  bool nt5() const { return std::get<1>(GetParam()); }

  platform::ScopedSystem m_restore;
  devices_test::ScopedDeviceRegistry m_registry;
  CDeviceGroup m_group;
};

TEST_P(CodePage932Devices, FakeMatchesInTrailBytesAreNotTheMaker) {
  const struct {
    const char* device;
    const char* maker;
  } rows[] = {
      {"Dev1", "\x81Quillmar"},
      {"Dev2", "\x81Veldo"},
      {"Dev3", "\x81\x81\x81Quillmar Inc."},
      {"Dev4", "\x83\x4A\x83\x81\x83\x89 Quillmar"},
      {"Dev5", "\x81\x40Veldo"},
  };
  for (const auto& row : rows)
    category().Add(nt5(), row.device, row.maker, std::string(row.device) + " \x83\x58\x83\x4C");
  CFoundKeyList scratch;
  EXPECT_EQ(2, m_group.Find(&scratch, true));
  CFoundKeyList found;
  m_group.Find(&found, false);
  ASSERT_EQ(2u, found.size());
  EXPECT_EQ("Dev4 \x83\x58\x83\x4C", found[0].m_strText);
  EXPECT_EQ(category().DeviceKey(nt5(), "Dev5"), found[1].m_strKeyPath);
}

// A device key whose name holds a backslash byte: that key goes and is seen gone.
TEST_P(CodePage932Devices, AKeyNameWithABackslashTrailByteIsRemovedWhole) {
  const std::string name = "\x95\x5C" "x";
  category().Add(nt5(), name, "Quillmar", "Hyou");
  category().Add(nt5(), "Aaa", "Veldo", "Kept");
  m_group.Build();
  ASSERT_EQ("Kept,Hyou", devices_test::Describe(m_group.List()));
  m_group.List()->at(0)->m_bSelected = 0;
  m_group.Remove();
  EXPECT_FALSE(testing_support::KeyPresent(HKEY_LOCAL_MACHINE, category().DeviceKey(nt5(), name)));
  EXPECT_TRUE(testing_support::KeyPresent(HKEY_LOCAL_MACHINE, category().DeviceKey(nt5(), "Aaa")));
  EXPECT_EQ("!Kept", devices_test::Describe(m_group.List()));
}

// 255 double-byte characters take 510 bytes: the name is read whole, its device is found
// and removed, and the walk goes on to the devices after it.
TEST_P(CodePage932Devices, ALongDoubleByteKeyNameDoesNotEndTheWalk) {
  std::string name = "A";
  for (int i = 0; i < 254; ++i) name += "\x83\x41";
  category().Add(nt5(), name, "Quillmar", "Long");
  category().Add(nt5(), "Bbb", "Veldo", "After");
  CFoundKeyList scratch;
  EXPECT_EQ(2, m_group.Find(&scratch, true));
  m_group.Build();
  ASSERT_EQ("Long,After", devices_test::Describe(m_group.List()));
  EXPECT_TRUE(m_group.Remove().m_bEmpty);
  EXPECT_EQ("", devices_test::Describe(m_group.List()));
  EXPECT_TRUE(platform::KeyAbsent(HKEY_LOCAL_MACHINE, category().DeviceKey(nt5(), name)));
}

INSTANTIATE_TEST_SUITE_P(Roots, CodePage932Devices,
                         ::testing::Combine(::testing::ValuesIn(devices_test::kCategories),
                                            ::testing::Bool()),
                         devices_test::RootName);

TEST_F(CodePage932, AdapterNamesWithFakeMatchesAreNotTheDriver) {
  devices_test::ScopedDeviceRegistry registry;
  const std::string adapters = "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter\\";
  testing_support::CreateKey(HKEY_LOCAL_MACHINE, adapters + "\x81SimpleSCSI");
  const CEppDriver driver(devices_test::VersionOf(devices_test::Windows::kXP));
  EXPECT_FALSE(driver.Find(nullptr, false));
  testing_support::CreateKey(HKEY_LOCAL_MACHINE, adapters + "\x81\x40SimpleSCSI");
  std::vector<std::string> paths;
  EXPECT_TRUE(driver.Find(&paths, true));
  EXPECT_EQ(std::vector<std::string>{adapters + "\x81\x40SimpleSCSI"}, paths);
}

// --- Installed software ----------------------------------------------------------------------

TEST_F(CodePage932, SoftwareWithFakeMatchesIsNotListed) {
  const std::vector<std::string> names = {
      "ACME 932 A", "ACME 932 B", "\x81Quillmar 932 C", "\x81\x40Quillmar 932 D",
      "\x81Imagoquest Pro TX 932 E"};
  software_tests::ScopedProducts products(names);
  software_tests::SeedProduct(names[0], "\x81Quillmar Tool", "a.exe");
  software_tests::SeedProduct(names[1], "\x81Imagoquest", "b.exe");
  software_tests::SeedProduct(names[2], "Other", "c.exe");
  software_tests::SeedProduct(names[3], "\x91\x53", "d.exe");
  software_tests::SeedProduct(names[4], "Imagoquest Pro", "e.exe");
  testing_support::MainDialog dlg;
  dlg->Software().FillSoftwareList();
  const std::vector<software_tests::Listed> expected = {
      {"\x91\x53", "d.exe", names[3]}, {"Imagoquest Pro", "e.exe", names[4]}};
  EXPECT_EQ(expected, software_tests::ListedOf(dlg->Software(), names));
}

TEST_F(CodePage932, ALeftRegistrationWithABackslashTrailByteIsDeletedOnConsent) {
  const std::string name = "Quillmar 932 \x95\x5C";
  software_tests::ScopedProducts products({name});
  software_tests::SeedProduct(name, "Hyou", "left.exe");
  files_test::RecordedCalls calls;  // the uninstaller is not started
  files_test::AnsweredMain main;
  testing_support::DialogAnswerer& answerer = main.answerer;
  testing_support::MainDialog& dlg = *main.dialog;
  // The NT 5 family deletes the leftover registration with its subkeys.
  dlg->Software().SetWindows(WindowsVersion(WindowsVersion::kNT5, "Windows XP"));
  const int row = software_tests::RowOf(dlg->Software(), name);
  ASSERT_GE(row, 0);
  dlg->Software().SetCurSel(row);

  answerer.Press(IDOK);
  answerer.Press(IDYES);
  dlg->Software().OnDblclk();

  EXPECT_FALSE(software_tests::ProductPresent(name));
  EXPECT_EQ(-1, software_tests::RowOf(dlg->Software(), name));
  EXPECT_TRUE(testing_support::KeyPresent(HKEY_LOCAL_MACHINE, software_tests::kUninstallKey));
}

// --- Files -----------------------------------------------------------------------------------

TEST_F(CodePage932, SystemFilesDifferingInATrailByteAreTwoEntries) {
  const std::string windows = files_test::TempPath("win932");
  files_test::ScopedDirectory directory(windows);
  const std::string stem = windows + "\\System32\\" + UniqueName("qlvimx");
  ScopedFile small(stem + "\x83\x61.dll");
  ScopedFile large(stem + "\x83\x41.dll");
  ScopedFile wide(stem + "\x82\x81.dll");
  ASSERT_TRUE(small.present());
  ASSERT_TRUE(large.present());
  // The full-width capital of an entry already listed is the same path.
  struct Listed : CSystemFiles {
    using CSystemFiles::CSystemFiles;
    void Seed(const std::string& path) {
      m_pList.reset(new CSelectionList);
      m_pList->emplace_back(new CSelectionEntry{path, 0, 1});
    }
  } files(windows, WindowsVersion(WindowsVersion::kNT5, "Windows XP"));
  files.Seed(stem + "\x82\x60.DLL");
  files.Build();
  files.Build();
  std::vector<std::string> texts;
  for (const auto& entry : *files.List()) texts.push_back(entry->m_strText);
  std::sort(texts.begin() + 1, texts.end());
  EXPECT_EQ((std::vector<std::string>{stem + "\x82\x60.DLL", large.path(), small.path()}), texts);
}

TEST_F(CodePage932, InfNamesWithBackslashTrailBytesStayInTheInfFolder) {
  files_test::RecordedCalls calls;
  const std::string infFolder = files_test::WinDir() + "\\INF\\";
  // Written and removed by hand: the fixture's file helper splits paths at backslash bytes.
  struct Hyou {
    std::string path;
    explicit Hyou(std::string p) : path(std::move(p)) { testing_support::WriteFile(path); }
    ~Hyou() { testing_support::RemoveFile(path); }
    bool present() const { return testing_support::FilePresent(path); }
  } hyou(infFolder + UniqueName("dpt\x95\x5C", ".inf"));
  ASSERT_TRUE(hyou.present());
  ScopedFile outside(files_test::WinDir() + "\\" + UniqueName("dpt", ".inf"));
  const std::string hyouName = hyou.path.substr(infFolder.size());
  const std::string outsideName = outside.path().substr(files_test::WinDir().size() + 1);
  ScopedFile settings(files_test::TempPath(".ini"),
                      "[INF]\r\nTotal=3\r\n1=" + hyouName + "\r\n2=\x95\x5C..\\" + outsideName +
                          "\r\n3=..\\\x95\x5C" + outsideName + "\r\n");
  CInfFiles inf(files_test::WinDir(), settings.path(), WindowsVersion(WindowsVersion::kWin98));
  inf.Build();
  ASSERT_EQ(1u, inf.List()->size());
  EXPECT_EQ(hyou.path, inf.List()->at(0)->m_strText);
  inf.Remove();
  EXPECT_FALSE(hyou.present());
  EXPECT_TRUE(outside.present());
}

}  // namespace
