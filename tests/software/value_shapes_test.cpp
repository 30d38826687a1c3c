// The installed-software list reads "DisplayName" and "UninstallString" as the bytes up to
// their first zero, whatever the value's type and length, and never past the value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "software/products.h"
#include "support/main_dialog.h"
#include "support/registry_fixture.h"

namespace {

using software_tests::Listed;
using software_tests::ListedOf;
using software_tests::ScopedProducts;
using software_tests::SeedProduct;
using software_tests::UninstallPath;

struct Shape {
  const char* label;
  DWORD type;
  std::string bytes;  // what the buffer holds; only the first `size` bytes are stored
  DWORD size;
  const char* read;  // the text read; null: the product is not the maker's
};

void PrintTo(const Shape& shape, std::ostream* out) { *out << shape.label; }

Shape Text(const char* label, DWORD type, const std::string& text, const char* read) {
  return {label, type, text, static_cast<DWORD>(text.size() + 1), read};
}

const std::string kHuge = std::string(64 * 1024 - 9, 'x') + "Quillmar";

std::string Name(const char* stem, const Shape& shape) {
  return std::string(stem) + " Shape " + shape.label;
}

void Store(const std::string& product, const char* value, const Shape& shape) {
  testing_support::SetBinary(HKEY_LOCAL_MACHINE, UninstallPath(product), value,
                             shape.bytes.data(), shape.size, shape.type);
}

// The display name decides whether a product whose key name does not say so is the maker's.
class DisplayNameShape : public ::testing::TestWithParam<Shape> {};

TEST_P(DisplayNameShape, DecidesAndShowsByItsTextUpToTheFirstZero) {
  const std::string name = Name("ACME", GetParam());
  ScopedProducts products({name});
  SeedProduct(name, nullptr, "remove.exe");
  Store(name, "DisplayName", GetParam());
  testing_support::MainDialog dlg;
  dlg->Software().FillSoftwareList();

  std::vector<Listed> expected;
  if (GetParam().read) expected.push_back({GetParam().read, "remove.exe", name});
  EXPECT_EQ(expected, ListedOf(dlg->Software(), {name}));
}

// The command goes with the product exactly as far as its first zero.
class UninstallStringShape : public ::testing::TestWithParam<Shape> {};

TEST_P(UninstallStringShape, IsKeptUpToTheFirstZero) {
  const std::string name = Name("Quillmar", GetParam());
  ScopedProducts products({name});
  SeedProduct(name, "Row", nullptr);
  Store(name, "UninstallString", GetParam());
  testing_support::MainDialog dlg;
  dlg->Software().FillSoftwareList();

  const std::vector<Listed> expected = {{"Row", GetParam().read ? GetParam().read : "", name}};
  EXPECT_EQ(expected, ListedOf(dlg->Software(), {name}));
}

// Shapes of a display name; `read` is the row text, null when the product is not listed.
INSTANTIATE_TEST_SUITE_P(
    Shapes, DisplayNameShape,
    ::testing::Values(
        Shape{"Unterminated", REG_SZ, "Quillmar ToolZ", 13, "Quillmar Tool"},
        Text("Expandable", REG_EXPAND_SZ, "%Quillmar% Tool", "%Quillmar% Tool"),
        Shape{"Dword", REG_DWORD, "Quil", 4, nullptr},
        Shape{"Binary", REG_BINARY, "Imagoquest", 10, "Imagoquest"},
        Shape{"HiddenAfterAZero", REG_BINARY, std::string("Acme\0Quillmar", 13), 13, nullptr},
        Shape{"MultiFirst", REG_MULTI_SZ, std::string("Quillmar A\0B\0\0", 14), 14, "Quillmar A"},
        Shape{"MultiSecond", REG_MULTI_SZ, std::string("Acme\0Quillmar\0\0", 15), 15, nullptr},
        Text("SixtyFourKilobytes", REG_SZ, kHuge, kHuge.c_str()),
        Text("Empty", REG_SZ, "", nullptr),
        Shape{"ZeroLength", REG_BINARY, "Quillmar", 0, nullptr}),
    [](const ::testing::TestParamInfo<Shape>& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Shapes, UninstallStringShape,
    ::testing::Values(
        Shape{"Unterminated", REG_SZ, "remove.exe /xZ", 13, "remove.exe /x"},
        Text("Expandable", REG_EXPAND_SZ, "%WINDIR%\\remove.exe", "%WINDIR%\\remove.exe"),
        Shape{"Dword", REG_DWORD, "ab\0c", 4, "ab"},
        Shape{"Binary", REG_BINARY, "run.exe", 7, "run.exe"},
        Shape{"Multi", REG_MULTI_SZ, std::string("first.exe\0second.exe\0\0", 22), 22,
              "first.exe"},
        Text("SixtyFourKilobytes", REG_SZ, kHuge, kHuge.c_str()),
        Text("Empty", REG_SZ, "", ""),
        Shape{"ZeroLength", REG_BINARY, "run.exe", 0, ""}),
    [](const ::testing::TestParamInfo<Shape>& info) { return std::string(info.param.label); });

}  // namespace
