// Whatever DrvPurge.ini holds, the INF list names only existing files of the INF folder that
// the file names, and Apply deletes those and nothing else.
#include <gtest/gtest.h>

#include <memory>

#include "files/file_fixture.h"
#include "files/inf.h"

namespace {

using files_test::ScopedFile;
using files_test::UniqueName;
using files_test::WinDir;

std::string NameOf(const ScopedFile& file) {
  return file.path().substr(file.path().rfind('\\') + 1);
}

using files_test::Garbage;

// The INF files a settings file may name (A, B, C), one in the INF folder it does not
// name (D), and files elsewhere that no settings file may reach.
struct Scene {
  ScopedFile a{WinDir() + "\\INF\\" + UniqueName("dpt", ".inf")};
  ScopedFile b{WinDir() + "\\INF\\" + UniqueName("dpt", ".inf")};
  ScopedFile c{WinDir() + "\\INF\\" + UniqueName("dpt", ".inf")};
  ScopedFile d{WinDir() + "\\INF\\" + UniqueName("dpt", ".inf")};
  ScopedFile outside{WinDir() + "\\" + UniqueName("dpt", ".inf")};
  ScopedFile other{WinDir() + "\\INF\\Other\\" + UniqueName("dpt", ".inf")};
  std::string A() const { return NameOf(a); }
  std::string B() const { return NameOf(b); }
  std::string C() const { return NameOf(c); }

  // The listed files as letters, in list order ("?" for anything else).
  std::string Letters(const CSelectionList& list) const {
    std::string letters;
    for (const auto& entry : list) {
      const std::string& text = entry->m_strText;
      letters += text == a.path() ? 'A' : text == b.path() ? 'B' : text == c.path() ? 'C' : '?';
    }
    return letters;
  }
  // Which of A, B and C are still there, as letters.
  std::string Present() const {
    return std::string(a.present() ? "A" : "") + (b.present() ? "B" : "") + (c.present() ? "C" : "");
  }
};

struct SettingsCase {
  const char* label;
  std::string (*content)(const Scene&);
  const char* listed;  // letters of the files listed, in order
};

void PrintTo(const SettingsCase& c, std::ostream* out) { *out << c.label; }

std::string Key(int number, const std::string& value) {
  return std::to_string(number) + "=" + value + "\r\n";
}

std::string Utf16(const std::string& text) {
  std::string wide("\xFF\xFE", 2);
  for (char c : text) wide += std::string{c, '\0'};
  return wide;
}

class SettingsFile : public ::testing::Test {
 protected:
  // Windows 98 has no OEM packages: only the listed files and INF\Other go.
  static CInfFiles Item(const ScopedFile& settings) {
    return CInfFiles(WinDir(), settings.path(), WindowsVersion(WindowsVersion::kWin98));
  }
  files_test::RecordedCalls m_calls;
};

class HostileSettings : public SettingsFile, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(HostileSettings, ListsOnlyNamedFilesOfTheInfFolderAndApplyDeletesOnlyThose) {
  Scene scene;
  ScopedFile settings(files_test::TempPath(".ini"), GetParam().content(scene));
  CInfFiles item = Item(settings);

  item.Build();
  ASSERT_TRUE(item.List());
  const std::string listed = GetParam().listed;
  EXPECT_EQ(listed, scene.Letters(*item.List()));

  const CRemovalReport report = item.Remove();
  std::string kept;
  for (char letter : std::string("ABC"))
    if (listed.find(letter) == std::string::npos) kept += letter;
  EXPECT_EQ(kept, scene.Present());
  EXPECT_TRUE(item.List()->empty());
  EXPECT_EQ(static_cast<int>(listed.size()), report.m_nRemoved);
  EXPECT_TRUE(report.m_bEmpty);
  EXPECT_TRUE(scene.d.present());
  EXPECT_TRUE(scene.outside.present());
  EXPECT_TRUE(scene.other.present());
}

const std::string kHundredKilobytes(100 * 1024, 'x');

// The count is what the system's profile reader makes of "Total", cut to its low 16 bits:
// at most 65535 keys are read, and key 65536 never is.
INSTANTIATE_TEST_SUITE_P(
    Contents, HostileSettings,
    ::testing::Values(
        SettingsCase{"Empty", [](const Scene&) { return std::string(); }, ""},
        SettingsCase{"BinaryGarbage", [](const Scene&) { return Garbage(8192); }, ""},
        SettingsCase{"GarbageBeforeTheSection",
                     [](const Scene& s) {
                       return Garbage(4096) + "\r\n[INF]\r\nTotal=1\r\n" + Key(1, s.A());
                     },
                     "A"},
        SettingsCase{"GarbageAsAName",
                     [](const Scene& s) {
                       return "[INF]\r\nTotal=2\r\n1=" + Garbage(300) + "\r\n" + Key(2, s.B());
                     },
                     "B"},
        SettingsCase{"TotalAllOnes",
                     [](const Scene& s) {
                       return "[INF]\r\nTotal=4294967295\r\n" + Key(1, s.A()) + Key(3, s.B()) +
                              Key(65535, s.C()) + Key(65536, NameOf(s.d));
                     },
                     "ABC"},
        SettingsCase{"TotalMinusOne",
                     [](const Scene& s) {
                       return "[INF]\r\nTotal=-1\r\n" + Key(1, s.A()) + Key(65535, s.C()) +
                              Key(65536, NameOf(s.d));
                     },
                     "AC"},
        SettingsCase{"TotalPastThirtyTwoBits",  // 99999999999 wraps to 1215752191: 59391
                     [](const Scene& s) {
                       return "[INF]\r\nTotal=99999999999\r\n" + Key(1, s.A()) +
                              Key(59391, s.B()) + Key(59392, s.C());
                     },
                     "AB"},
        SettingsCase{"TotalInHex",  // 0x10002: 2
                     [](const Scene& s) {
                       return "[INF]\r\nTotal=0x10002\r\n" + Key(1, s.A()) + Key(2, s.B()) +
                              Key(3, s.C());
                     },
                     "AB"},
        SettingsCase{"Total65537",
                     [](const Scene& s) {
                       return "[INF]\r\nTotal=65537\r\n" + Key(1, s.A()) + Key(2, s.B());
                     },
                     "A"},
        SettingsCase{"TotalWithTrailingText",
                     [](const Scene& s) {
                       return "[INF]\r\nTotal=2 files\r\n" + Key(1, s.A()) + Key(2, s.B()) +
                              Key(3, s.C());
                     },
                     "AB"},
        SettingsCase{"AHundredKilobyteName",
                     [](const Scene& s) {
                       return "[INF]\r\nTotal=3\r\n" + Key(1, kHundredKilobytes) +
                              Key(2, s.A() + kHundredKilobytes) + Key(3, s.B());
                     },
                     "B"},
        SettingsCase{"AHundredKilobyteLine",
                     [](const Scene& s) {
                       return kHundredKilobytes + "\r\n[INF]\r\n" + kHundredKilobytes +
                              "\r\nTotal=1\r\n" + kHundredKilobytes + "=x\r\n" + Key(1, s.A());
                     },
                     "A"},
        // Device names open in every folder but are no files; wildcards name nothing.
        SettingsCase{"DevicesAndWildcards",
                     [](const Scene& s) {
                       return "[INF]\r\nTotal=8\r\n" + Key(1, "NUL") + Key(2, "nul.inf") +
                              Key(3, "COM1") + Key(4, "AUX.inf") + Key(5, "*.inf") +
                              Key(6, "dpt*") + Key(7, "?") + Key(8, s.C());
                     },
                     "C"},
        SettingsCase{"Utf16",
                     [](const Scene& s) {
                       return Utf16("[INF]\r\nTotal=2\r\n" + Key(1, s.B()) + Key(2, s.A()));
                     },
                     "BA"}),
    [](const ::testing::TestParamInfo<SettingsCase>& info) {
      return std::string(info.param.label);
    });

// Ten thousand keys of which three name files that exist: those three are listed in key
// order, and Apply deletes the two left selected and nothing else.
TEST_F(SettingsFile, TenThousandKeysListExactlyTheFilesThatExist) {
  Scene scene;
  std::string content = "[INF]\r\nTotal=10000\r\n";
  for (int key = 1; key <= 10000; ++key) {
    std::string value = "dpt-missing-" + std::to_string(key) + ".inf";
    if (key == 1) value = scene.A();
    if (key == 5000) value = scene.B();
    if (key == 10000) value = scene.C();
    if (key == 7777) value = "..\\" + NameOf(scene.outside);
    if (key == 9999) value = "NUL";
    content += Key(key, value);
  }
  ScopedFile settings(files_test::TempPath(".ini"), content);
  CInfFiles item = Item(settings);

  item.Build();
  ASSERT_EQ("ABC", scene.Letters(*item.List()));
  (*item.List())[1]->m_bSelected = 0;
  const CRemovalReport report = item.Remove();
  EXPECT_EQ("B", scene.Present());
  EXPECT_EQ("B", scene.Letters(*item.List()));
  EXPECT_EQ(2, report.m_nRemoved);
  EXPECT_EQ(1, report.m_nKept);
  EXPECT_FALSE(report.m_bEmpty);
  EXPECT_TRUE(scene.d.present());
  EXPECT_TRUE(scene.outside.present());
  EXPECT_TRUE(scene.other.present());
}

}  // namespace
