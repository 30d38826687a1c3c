#include <gtest/gtest.h>

#include "devices/device_fixture.h"

namespace {

using devices_test::Category;
using testing_support::CreateKey;
using testing_support::SetBinary;
using testing_support::SetString;

// Each category on both registry roots: the NT form (XP) and the Windows 98 form.
class DeviceDetection : public ::testing::TestWithParam<std::tuple<const Category*, bool>> {
 protected:
  DeviceDetection() : m_group(category().Group(nt5())) {}
  const Category& category() const { return *std::get<0>(GetParam()); }
  bool nt5() const { return std::get<1>(GetParam()); }
  std::string Key(const std::string& device) const { return category().ValueKey(nt5(), device); }
  int Count() {
    CFoundKeyList scratch;
    int count = m_group.Find(&scratch, true);
    EXPECT_TRUE(scratch.empty());
    return count;
  }
  CFoundKeyList List() {
    CFoundKeyList found;
    EXPECT_EQ(0, m_group.Find(&found, false));
    return found;
  }

  devices_test::ScopedDeviceRegistry m_registry;
  CDeviceGroup m_group;
};

TEST_P(DeviceDetection, MakerWordsMatchCaseSensitivelyAnywhereInTheMakerValue) {
  EXPECT_EQ(0, Count());  // no enumeration key at all
  const std::string longMaker = std::string(90, 'x') + " distributed by Veldo";
  struct Row {
    std::string maker, text;
    bool listed;
  } rows[] = {
      {"Quillmar", "Plain", true},
      {"Veldo", "Second brand", true},
      {"TheQuillmarCompany", "Inside a word", true},
      {longMaker, std::string(120, 'L'), true},
      {"quillmar", "Lower case", false},
      {"VELDO", "Upper case", false},
      {"Quill mar", "Split", false},
      {"Acme", "Quillmar Scanner by name only", false},
      {"", "Empty maker", false},
  };
  CFoundKeyList expected;
  int index = 0;
  for (const Row& row : rows) {
    char device[16];
    wsprintfA(device, "Dev%02d", index++);
    category().Add(nt5(), device, row.maker, row.text);
    if (row.listed) expected.push_back({row.text, category().DeviceKey(nt5(), device)});
  }
  // A maker's device without a display value is listed with empty text.
  CreateKey(HKEY_LOCAL_MACHINE, Key("Dev99"));
  SetString(HKEY_LOCAL_MACHINE, Key("Dev99"), category().maker, "Veldo");
  expected.push_back({"", category().DeviceKey(nt5(), "Dev99")});

  EXPECT_EQ(static_cast<int>(expected.size()), Count());
  CFoundKeyList found = List();
  ASSERT_EQ(expected.size(), found.size());
  for (size_t i = 0; i < found.size(); ++i) {
    EXPECT_EQ(expected[i].m_strText, found[i].m_strText) << i;
    EXPECT_EQ(expected[i].m_strKeyPath, found[i].m_strKeyPath) << i;
  }
}

TEST_P(DeviceDetection, ValuesOfAnyTypeAreReadUpToTheirFirstZeroAndNoFurther) {
  struct Row {
    const char* device;
    const char* maker;
    DWORD makerSize, makerType;
  } rows[] = {
      {"Bin", "Quillmar", 8, REG_BINARY},  // no terminating zero
      {"Open", "VeldoXYZ", 5, REG_SZ},     // text cut short of its zero
      {"Dword", "Quil", 4, REG_DWORD},
      {"Hidden", "Acme\0Quillmar", 14, REG_BINARY},  // the maker after a zero
      {"Multi", "Acme\0Veldo\0", 12, REG_MULTI_SZ},
  };
  for (const Row& row : rows) {
    CreateKey(HKEY_LOCAL_MACHINE, Key(row.device));
    SetBinary(HKEY_LOCAL_MACHINE, Key(row.device), category().maker, row.maker, row.makerSize,
              row.makerType);
  }
  // Display values: text without a terminating zero, and a number.
  SetBinary(HKEY_LOCAL_MACHINE, Key("Bin"), category().text, "ScannerZZ", 7, REG_SZ);
  DWORD number = 0x41414141;
  SetBinary(HKEY_LOCAL_MACHINE, Key("Open"), category().text, &number, 4, REG_DWORD);

  CFoundKeyList found = List();
  ASSERT_EQ(2u, found.size());
  EXPECT_EQ("Scanner", found[0].m_strText);
  EXPECT_EQ("AAAA", found[1].m_strText);
  EXPECT_EQ(2, Count());
}

TEST_P(DeviceDetection, ValuesOfEveryLengthAndShapeAreReadWholeOrNotAtAll) {
  const std::string hugeMaker = std::string(64 * 1024 - 9, 'y') + "Quillmar";
  const std::string hugeText(64 * 1024, 'T');
  struct Row {
    const char* device;
    DWORD makerType;
    std::string maker;
    DWORD makerSize;
    std::string text;  // stored as REG_SZ; "-" for a zero-length binary value
    bool listed;
  } rows[] = {
      {"Huge", REG_SZ, hugeMaker, static_cast<DWORD>(hugeMaker.size() + 1), hugeText, true},
      {"HugeBinary", REG_BINARY, hugeMaker, static_cast<DWORD>(hugeMaker.size()), "", true},
      {"Expand", REG_EXPAND_SZ, "%Veldo%", 8, "-", true},
      {"Empty", REG_SZ, "", 1, "Empty maker", false},
      {"ZeroLength", REG_BINARY, "Quillmar", 0, "No bytes", false},
      {"ZeroDword", REG_DWORD, std::string(4, '\0'), 4, "Number", false},
  };
  for (const Row& row : rows) {
    CreateKey(HKEY_LOCAL_MACHINE, Key(row.device));
    SetBinary(HKEY_LOCAL_MACHINE, Key(row.device), category().maker, row.maker.data(),
              row.makerSize, row.makerType);
    if (row.text == "-")
      SetBinary(HKEY_LOCAL_MACHINE, Key(row.device), category().text, "x", 0, REG_BINARY);
    else
      SetString(HKEY_LOCAL_MACHINE, Key(row.device), category().text, row.text);
  }
  CFoundKeyList found = List();
  // Enumeration order: Empty, Expand, Huge, HugeBinary, ZeroDword, ZeroLength.
  ASSERT_EQ(3u, found.size());
  EXPECT_EQ("", found[0].m_strText);
  EXPECT_EQ(category().DeviceKey(nt5(), "Expand"), found[0].m_strKeyPath);
  EXPECT_EQ(hugeText, found[1].m_strText);
  EXPECT_EQ("", found[2].m_strText);
  EXPECT_EQ(3, Count());
}

TEST_P(DeviceDetection, LongSubkeyNamesAreReadWholeAndDoNotEndTheWalk) {
  const std::string longName = "A" + std::string(149, 'n');
  category().Add(nt5(), longName, "Quillmar", "Long");
  category().Add(nt5(), "Zed", "Veldo", "After");
  CFoundKeyList found = List();
  ASSERT_EQ(2u, found.size());
  EXPECT_EQ(category().DeviceKey(nt5(), longName), found[0].m_strKeyPath);
  EXPECT_EQ("After", found[1].m_strText);
}

INSTANTIATE_TEST_SUITE_P(Roots, DeviceDetection,
                         ::testing::Combine(::testing::ValuesIn(devices_test::kCategories),
                                            ::testing::Bool()),
                         devices_test::RootName);

// SCSI and USB: only the device key's first instance speaks for it.
class InstanceDetection : public DeviceDetection {};

TEST_P(InstanceDetection, OnlyTheFirstInstanceNamesTheMaker) {
  category().Add(nt5(), "First", "Quillmar", "Found");
  SetString(HKEY_LOCAL_MACHINE, category().DeviceKey(nt5(), "First") + "\\0001", category().maker,
            "Acme");
  category().Add(nt5(), "Second", "Acme", "Missed");
  SetString(HKEY_LOCAL_MACHINE, category().DeviceKey(nt5(), "Second") + "\\0001", category().maker,
            "Quillmar");
  // A device key without instances, between the others, is passed over.
  CreateKey(HKEY_LOCAL_MACHINE, category().DeviceKey(nt5(), "Middle"));
  category().Add(nt5(), "Third", "Veldo", "Also found");
  CFoundKeyList found = List();
  ASSERT_EQ(2u, found.size());
  EXPECT_EQ("Found", found[0].m_strText);
  EXPECT_EQ(category().DeviceKey(nt5(), "First"), found[0].m_strKeyPath);
  EXPECT_EQ("Also found", found[1].m_strText);
  EXPECT_EQ(2, Count());
}

INSTANTIATE_TEST_SUITE_P(Roots, InstanceDetection,
                         ::testing::Combine(::testing::Values(&devices_test::kScsi,
                                                              &devices_test::kUsb),
                                            ::testing::Bool()),
                         devices_test::RootName);

TEST(ScsiDetection, Windows95ReadsManufacturerAndTheOthersMfg) {
  devices_test::ScopedDeviceRegistry registry;
  const std::string mfgOnly = "Enum\\SCSI\\MfgOnly\\0000",
                    manufacturerOnly = "Enum\\SCSI\\ManOnly\\0000";
  SetString(HKEY_LOCAL_MACHINE, mfgOnly, "Mfg", "Quillmar");
  SetString(HKEY_LOCAL_MACHINE, mfgOnly, "Manufacturer", "Acme");
  SetString(HKEY_LOCAL_MACHINE, mfgOnly, "ProductID", "Mfg device");
  SetString(HKEY_LOCAL_MACHINE, manufacturerOnly, "Manufacturer", "Veldo");
  SetString(HKEY_LOCAL_MACHINE, manufacturerOnly, "ProductID", "Manufacturer device");
  struct {
    unsigned windows;
    const char* listed;
  } rows[] = {{WindowsVersion::kWin95, "Manufacturer device"},
              {WindowsVersion::kWin98, "Mfg device"},
              {WindowsVersion::kWinME, "Mfg device"}};
  for (const auto& row : rows) {
    const CDeviceGroup scsi(&ScsiDevices, WindowsVersion(row.windows));
    CFoundKeyList found;
    scsi.Find(&found, false);
    ASSERT_EQ(1u, found.size()) << row.listed;
    EXPECT_EQ(row.listed, found[0].m_strText);
  }
}

}  // namespace
