#include <gtest/gtest.h>

#include "platform/registry.h"
#include "platform/text.h"
#include "support/registry_fixture.h"

namespace {

TEST(Text, MakerWordsMatchCaseSensitivelyAnywhere) {
  EXPECT_TRUE(platform::ContainsWord("Quillmar", "Quillmar"));
  EXPECT_TRUE(platform::ContainsWord("XQuillmarY Inc.", "Quillmar"));
  EXPECT_FALSE(platform::ContainsWord("quillmar", "Quillmar"));
  EXPECT_FALSE(platform::ContainsWord("QUILLMAR", "Quillmar"));
  EXPECT_FALSE(platform::ContainsWord("Quillma", "Quillmar"));
  EXPECT_FALSE(platform::ContainsWord("", "Quillmar"));
}

TEST(Text, PathsCompareWithoutRegardToCase) {
  EXPECT_TRUE(platform::SameTextNoCase("C:\\WINDOWS\\twain.dll", "c:\\windows\\TWAIN.DLL"));
  EXPECT_FALSE(platform::SameTextNoCase("C:\\a-b.dll", "C:\\ab-.dll"));
  EXPECT_FALSE(platform::SameTextNoCase("C:\\a.dll", "C:\\a.dl"));
  EXPECT_TRUE(platform::SameTextNoCase("", ""));
}

// The file searches keep what the long name matches as a whole; a longer extension that
// only the 8.3 short name would match stays out.
TEST(Text, WildcardsMatchTheWholeNameWithoutRegardToCase) {
  const struct {
    const char* name;
    const char* wildcard;
    bool match;
  } cases[] = {
      {"qlvimx32.dll", "qlvimx*.dll", true},
      {"QLVIMX.DLL", "qlvimx*.dll", true},
      {"qlvimx32.dllold", "qlvimx*.dll", false},
      {"qlvimx32.dl", "qlvimx*.dll", false},
      {"oem12.inf", "oem*.inf", true},
      {"oem1.info", "oem*.inf", false},
      {"xoem1.inf", "oem*.inf", false},
      {"Quillmar scan.inf.inf", "Quillmar*.inf", true},
      {"Quillmar.inf.old", "Quillmar*.inf", false},
      {"a.b", "?.b", true},
      {"ab.b", "?.b", false},
      {".b", "?.b", false},
      {"", "*", true},
      {"noext", "*.*", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.match, platform::MatchesWildcard(c.name, c.wildcard)) << c.name << " / " << c.wildcard;
}

// Values are read whole and never past their data, whatever their type.
TEST(RegistryText, ValuesOfEveryShapeAreReadSafely) {
  const std::string path = "Software\\DrvPurgeTests\\Values";
  testing_support::ScopedRegistry clean({"Software\\DrvPurgeTests"});
  const std::string longText = std::string(300, 'x') + "Quillmar";
  testing_support::SetString(HKEY_LOCAL_MACHINE, path, "Long", longText);
  testing_support::SetString(HKEY_LOCAL_MACHINE, path, "Empty", "");
  testing_support::SetDword(HKEY_LOCAL_MACHINE, path, "Dword", 0x6C697551);  // "Quil"
  const char unterminated[] = {'V', 'e', 'l', 'd', 'o', 'Z'};
  // Stored as five bytes of text: the byte after them is not a zero.
  testing_support::SetBinary(HKEY_LOCAL_MACHINE, path, "Unterminated", unterminated, 5, REG_SZ);
  const char multi[] = "first\0second\0";
  testing_support::SetBinary(HKEY_LOCAL_MACHINE, path, "Multi", multi, sizeof(multi), REG_MULTI_SZ);
  std::string big(64 * 1024, 'b');
  testing_support::SetBinary(HKEY_LOCAL_MACHINE, path, "Big", big.data(),
                             static_cast<DWORD>(big.size()), REG_BINARY);

  platform::RegKey key;
  ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ));
  EXPECT_EQ(longText, key.QueryText("Long"));
  EXPECT_TRUE(platform::ContainsWord(key.QueryText("Long"), "Quillmar"));
  std::string text = "stale";
  EXPECT_TRUE(key.QueryText("Empty", text));
  EXPECT_EQ("", text);
  EXPECT_EQ("Quil", key.QueryText("Dword"));
  EXPECT_EQ("Veldo", key.QueryText("Unterminated"));
  EXPECT_EQ("first", key.QueryText("Multi"));
  EXPECT_EQ(big, key.QueryText("Big"));
  EXPECT_FALSE(key.QueryText("Missing", text));
  EXPECT_EQ("", text);
}

TEST(RegistryText, LongSubkeyNamesAreEnumeratedWhole) {
  testing_support::ScopedRegistry clean({"Software\\DrvPurgeTests"});
  const std::string name(255, 'k');
  testing_support::CreateKey(HKEY_LOCAL_MACHINE, "Software\\DrvPurgeTests");
  {
    // A full path past 260 characters is reachable only relative to its parent under Wine.
    platform::RegKey parent;
    ASSERT_TRUE(parent.Open(HKEY_LOCAL_MACHINE, "Software\\DrvPurgeTests", KEY_ALL_ACCESS));
    testing_support::CreateKey(parent.Handle(), name);
  }
  testing_support::CreateKey(HKEY_LOCAL_MACHINE, "Software\\DrvPurgeTests\\z");
  platform::RegKey key;
  ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, "Software\\DrvPurgeTests", KEY_READ));
  std::string first, second, third;
  EXPECT_TRUE(key.EnumKey(0, first));
  EXPECT_EQ(name, first);
  EXPECT_TRUE(key.EnumKey(1, second));
  EXPECT_EQ("z", second);
  EXPECT_FALSE(key.EnumKey(2, third));
}

}  // namespace
