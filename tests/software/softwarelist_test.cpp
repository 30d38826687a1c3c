#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "software/products.h"
#include "res/resource.h"
#include "support/main_dialog.h"

namespace {

using software_tests::Listed;
using software_tests::ListedOf;
using software_tests::ScopedProducts;
using software_tests::SeedProduct;

struct Choice {
  const char* name;
  const char* displayName;  // null: no such value
  bool listed;
  const char* text;  // the row text when listed
};

void PrintTo(const Choice& choice, std::ostream* out) { *out << '"' << choice.name << '"'; }

class ProductChoiceTest : public ::testing::TestWithParam<Choice> {};

TEST_P(ProductChoiceTest, ListsOnlyTheMakersProductsUnderTheirRowText) {
  const Choice& choice = GetParam();
  ScopedProducts products({choice.name});
  SeedProduct(choice.name, choice.displayName, "remove.exe /quiet");
  testing_support::MainDialog dlg;
  dlg->Software().FillSoftwareList();

  std::vector<Listed> expected;
  if (choice.listed) expected.push_back({choice.text, "remove.exe /quiet", choice.name});
  EXPECT_EQ(expected, ListedOf(dlg->Software(), {choice.name}));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ProductChoiceTest,
    ::testing::Values(
        Choice{"Quillmar ScanSuite", "ScanSuite 2.0", true, "ScanSuite 2.0"},
        Choice{"ACME Viewer", "Quillmar Viewer", true, "Quillmar Viewer"},
        Choice{"ACME Photo", "Imagoquest Lite", true, "Imagoquest Lite"},
        Choice{"ACME Inside", "MyQuillmarTool", true, "MyQuillmarTool"},
        Choice{"ACME Small", "imagoquest lite", false, ""},
        Choice{"ACME Shout", "QUILLMAR TOOLS", false, ""},
        Choice{"quillmar lower", "Other Tool", false, ""},
        Choice{"ACME Plain", "Other Tool", false, ""},
        Choice{"ACME Empty", "", false, ""},
        Choice{"Quillmar Nameless", nullptr, true, ""},
        Choice{"Quillmar Blank", "", true, ""},
        Choice{"Imagoquest Pro TX", "Imagoquest Pro TX 3.1", true, "Imagoquest Pro TX"},
        Choice{"Setup Imagoquest Pro TX v2", "Imagoquest Pro", true,
               "Setup Imagoquest Pro TX v2"},
        Choice{"Imagoquest Pro TX Plus", "Quillmar Suite", true, "Imagoquest Pro TX Plus"},
        Choice{"Quillmar Imagoquest Pro TX", nullptr, true, "Quillmar Imagoquest Pro TX"},
        Choice{"Imagoquest Pro TX Other", "Other Tool", false, ""},
        Choice{"Imagoquest Pro tx", "Imagoquest Pro", true, "Imagoquest Pro"}));

TEST(SoftwareListTest, OpeningTheDialogListsInRegistryOrderEachWithItsOwnCommand) {
  const std::vector<std::string> names = {"Quillmar Order C", "Quillmar Order A",
                                          "Quillmar Order B", "ACME Order D"};
  ScopedProducts products(names);
  SeedProduct("Quillmar Order C", "Third", "c.exe");
  SeedProduct("Quillmar Order A", "First", "a.exe -x");
  // No command of its own: it must not inherit the one read just before it.
  SeedProduct("Quillmar Order B", "Second", nullptr);
  SeedProduct("ACME Order D", "Imagoquest Fourth", "d.exe");
  testing_support::MainDialog dlg;

  // Subkeys come sorted by name, whatever order they were made in.
  const std::vector<Listed> expected = {{"Imagoquest Fourth", "d.exe", "ACME Order D"},
                                        {"First", "a.exe -x", "Quillmar Order A"},
                                        {"Second", "", "Quillmar Order B"},
                                        {"Third", "c.exe", "Quillmar Order C"}};
  EXPECT_EQ(expected, ListedOf(dlg->Software(), names));
}

TEST(SoftwareListTest, EachFillStartsAfreshFromTheRegistry) {
  const std::vector<std::string> names = {"Quillmar Fresh One", "Quillmar Fresh Two",
                                          "ACME Fresh Three"};
  ScopedProducts products(names);
  testing_support::MainDialog dlg;
  CSoftwareListBox& list = dlg->Software();
  const int before = list.GetCount();

  SeedProduct("Quillmar Fresh One", "One", "one.exe");
  SeedProduct("Quillmar Fresh Two", "Two", "two.exe");
  SeedProduct("ACME Fresh Three", "Not Ours", "three.exe");
  list.FillSoftwareList();
  list.FillSoftwareList();
  EXPECT_EQ(before + 2, list.GetCount());
  EXPECT_EQ(static_cast<size_t>(before + 2), list.Entries().size());

  software_tests::ScopedProducts gone({"Quillmar Fresh One"});
  list.FillSoftwareList();
  EXPECT_EQ(before + 1, list.GetCount());
  const std::vector<Listed> expected = {{"Two", "two.exe", "Quillmar Fresh Two"}};
  EXPECT_EQ(expected, ListedOf(list, names));
}

TEST(SoftwareListTest, SelectAllListsProductsAddedSinceTheDialogOpened) {
  ScopedProducts products({"Quillmar Late"});
  testing_support::MainDialog dlg;
  SeedProduct("Quillmar Late", "Late Arrival", "late.exe");
  dlg.Click(IDC_SELECTALL);
  const std::vector<Listed> expected = {{"Late Arrival", "late.exe", "Quillmar Late"}};
  EXPECT_EQ(expected, ListedOf(dlg->Software(), {"Quillmar Late"}));
}

// Names and values of 64 characters or more are read whole, and the walk goes on past them.
struct LongName {
  size_t nameLength;     // 0: a short subkey name
  size_t displayLength;  // 0: no display name
};

std::string Padded(const std::string& head, size_t length, const std::string& tail) {
  return head + std::string(length - head.size() - tail.size(), 'x') + tail;
}

void PrintTo(const LongName& param, std::ostream* out) {
  *out << "name of " << param.nameLength << ", display name of " << param.displayLength;
}

class LongNameTest : public ::testing::TestWithParam<LongName> {};

TEST_P(LongNameTest, IsJudgedAndShownByItsWholeNameAndLaterProductsStillShow) {
  const LongName& param = GetParam();
  // The deciding words stand at the very end, past what a short buffer holds.
  const std::string name = param.nameLength
                               ? Padded("Imagoquest Pro TX ", param.nameLength, " Quillmar")
                               : std::string("ACME Long Display");
  const std::string display =
      param.displayLength ? Padded("Product ", param.displayLength, " Imagoquest") : "";
  const std::string command = Padded("uninst.exe ", 700, " /end");
  const std::string later = "Quillmar Zz Later";
  ScopedProducts products({name, later});
  SeedProduct(name, param.displayLength ? display.c_str() : nullptr, command.c_str());
  SeedProduct(later, "Later Product", "later.exe");
  ASSERT_TRUE(software_tests::ProductPresent(name));

  testing_support::MainDialog dlg;
  dlg->Software().FillSoftwareList();
  const std::string text = param.nameLength ? name : display;
  const std::vector<Listed> expected = {{text, command, name},
                                        {"Later Product", "later.exe", later}};
  EXPECT_EQ(expected, ListedOf(dlg->Software(), {name, later}));
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongNameTest,
                         ::testing::Values(LongName{64, 0}, LongName{120, 0}, LongName{255, 0},
                                           LongName{255, 80}, LongName{0, 64},
                                           LongName{0, 300}, LongName{0, 4000}));

}  // namespace
