#include <gtest/gtest.h>
#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

#include "files/file_fixture.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/text.h"
#include "res/resource.h"
#include "software/products.h"
#include "software/uninstallcommand.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"
#include "support/registry_fixture.h"

namespace {

using software_tests::ProductPresent;
using software_tests::RowOf;
using software_tests::ScopedProducts;
using software_tests::SeedProduct;
using testing_support::DialogAnswerer;

const char kDoneText[] = "Press OK when Uninstalling process is finished.";
const char kDoneCaption[] = "Uninstall...";
const char kLeftCaption[] = "Installer Registry Is Not Cleaned.";

std::string LeftText(const std::string& row) {
  return "The registry of " + row + " is not cleaned.\nWould you want to delete it?";
}

std::string TestsDirectory() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path);
  return directory.substr(0, directory.rfind('\\'));
}

// One real uninstaller run: the command that starts tests/helpers/uninstaller.exe on a
// product's key, and the marker file it writes once it has done its work.
struct Uninstaller {
  Uninstaller(const std::string& product, const char* mode, const std::string& extra = "")
      : marker(MarkerPath(product)) {
    command = "\"" + TestsDirectory() + "\\uninstaller.exe\" " + mode + " \"" +
              software_tests::UninstallPath(product) + "\" \"" + marker + "\"";
    if (!extra.empty()) command += " " + extra;
    testing_support::RemoveFile(marker);
  }
  ~Uninstaller() { testing_support::RemoveFile(marker); }

  static std::string MarkerPath(const std::string& product) {
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    std::string file = product.substr(0, 40);
    for (char& c : file)
      if (c == ' ') c = '_';
    return std::string(temp) + "drvpurge-uninstall-" + file + ".txt";
  }

  bool Ran() const { return testing_support::FilePresent(marker); }
  // Waits, boundedly, for the marker: the uninstaller runs as a process of its own.
  bool AwaitRun() const {
    for (int waited = 0; waited < 20000 && !Ran(); waited += 50) ::Sleep(50);
    return Ran();
  }
  // The answer to the first box: OK once the uninstaller has finished, as a user does.
  DialogAnswerer::Action OkWhenDone() const {
    return [this](HWND box) {
      AwaitRun();
      testing_support::ClickButton(box, IDOK);
    };
  }

  std::string marker;
  std::string command;
};

class UninstallTest : public ::testing::Test {
 protected:
  // Opens the main dialog. The answerer is up before it, so that the dialog's own first
  // activation takes the empty answer queued here and is never answered as a box later.
  void OpenDialog() {
    m_answerer.Then([](HWND) {});
    m_dlg.reset(new testing_support::MainDialog);
    testing_support::PumpUntil([this] { return !m_answerer.Seen().empty(); });
    ASSERT_EQ(1u, m_answerer.Seen().size());
    ASSERT_EQ("System Registry Cleaner", m_answerer.Seen()[0].caption);
  }

  CSoftwareListBox& List() { return (*m_dlg)->Software(); }

  // The list deletes a leftover key the way the given Windows family does.
  void RunAs(bool nt5) {
    List().SetWindows(WindowsVersion(nt5 ? WindowsVersion::kNT5 : WindowsVersion::kWin98));
  }

  // A real double click on the row of `product`: the list box selects it and sends
  // LBN_DBLCLK to the dialog, which hands it back to the list object.
  void DoubleClick(const std::string& product) {
    const int row = RowOf(List(), product);
    ASSERT_GE(row, 0) << product << " is not listed";
    HWND list = List().GetSafeHwnd();
    ::SendMessageA(list, LB_SETTOPINDEX, row, 0);
    RECT rect;
    ASSERT_TRUE(List().GetItemRect(row, rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(list, WM_LBUTTONUP, 0, at);
    ASSERT_EQ(row, List().GetCurSel());
    ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageA(list, WM_LBUTTONUP, 0, at);
    testing_support::PumpMessages();
  }

  // The boxes seen after the main dialog's own activation.
  std::vector<testing_support::SeenDialog> Boxes() const {
    const auto& seen = m_answerer.Seen();
    return std::vector<testing_support::SeenDialog>(seen.begin() + 1, seen.end());
  }

  void ExpectBoxes(const std::vector<std::pair<std::string, std::string>>& expected) {
    const auto boxes = Boxes();
    ASSERT_EQ(expected.size(), boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_EQ(expected[i].first, boxes[i].caption) << "box " << i;
      EXPECT_EQ(expected[i].second, boxes[i].text) << "box " << i;
      EXPECT_EQ(0u, boxes[i].icon) << "box " << i;
    }
    EXPECT_EQ(0, m_answerer.Unanswered());
  }

  DialogAnswerer m_answerer;
  std::unique_ptr<testing_support::MainDialog> m_dlg;
};

TEST_F(UninstallTest, RowGoesWithoutQuestionWhenTheUninstallerRemovedItsKey) {
  const std::string name = "Quillmar Gone";
  ScopedProducts products({name});
  Uninstaller uninstaller(name, "remove");
  SeedProduct(name, "Quillmar Gone Product", uninstaller.command.c_str());
  OpenDialog();
  const int rows = List().GetCount();

  m_answerer.Then(uninstaller.OkWhenDone());
  DoubleClick(name);

  EXPECT_TRUE(uninstaller.Ran());
  ExpectBoxes({{kDoneCaption, kDoneText}});
  EXPECT_FALSE(ProductPresent(name));
  EXPECT_EQ(-1, RowOf(List(), name));
  EXPECT_EQ(rows - 1, List().GetCount());
  EXPECT_EQ(static_cast<size_t>(rows - 1), List().Entries().size());
}

// A key that the uninstaller left and that has no subkeys goes on every platform path.
class LeftKeyTest : public UninstallTest, public ::testing::WithParamInterface<bool> {};

TEST_P(LeftKeyTest, YesDeletesTheLeftKeyAndItsRow) {
  const std::string name = "Quillmar Left";
  ScopedProducts products({name});
  Uninstaller uninstaller(name, "leave");
  SeedProduct(name, "Quillmar Left Behind", uninstaller.command.c_str());
  OpenDialog();
  RunAs(GetParam());

  m_answerer.Then(uninstaller.OkWhenDone());
  m_answerer.Press(IDYES);
  DoubleClick(name);

  EXPECT_TRUE(uninstaller.Ran());
  ExpectBoxes({{kDoneCaption, kDoneText}, {kLeftCaption, LeftText("Quillmar Left Behind")}});
  EXPECT_FALSE(ProductPresent(name));
  EXPECT_EQ(-1, RowOf(List(), name));
  EXPECT_EQ(static_cast<size_t>(List().GetCount()), List().Entries().size());
}

INSTANTIATE_TEST_SUITE_P(Platforms, LeftKeyTest, ::testing::Bool());

// A registration that is there but locked (no rights to it) is not gone: the question is
// asked, and after Yes the key that would not go keeps its row.
TEST_F(UninstallTest, ALockedRegistrationIsNeverTakenForGone) {
  const std::string name = "Quillmar Locked";
  ScopedProducts products({name});
  SeedProduct(name, "Locked Product", "");
  testing_support::ScopedLockedKey locked(HKEY_LOCAL_MACHINE, software_tests::UninstallPath(name));
  OpenDialog();
  RunAs(true);
  ASSERT_LE(0, RowOf(List(), name));

  m_answerer.Press(IDOK);
  m_answerer.Press(IDYES);
  DoubleClick(name);

  // Its display name could not be read: the row has no text.
  ExpectBoxes({{kDoneCaption, kDoneText}, {kLeftCaption, LeftText("")}});
  EXPECT_FALSE(platform::KeyAbsent(HKEY_LOCAL_MACHINE, software_tests::UninstallPath(name)));
  EXPECT_LE(0, RowOf(List(), name));
}

TEST_F(UninstallTest, NoKeepsKeyAndRowAndTheRowRunsItsUninstallerAgain) {
  const std::string name = "Quillmar Kept";
  ScopedProducts products({name});
  Uninstaller uninstaller(name, "leave");
  SeedProduct(name, "Kept Product", uninstaller.command.c_str());
  OpenDialog();
  const int rows = List().GetCount();

  for (int run = 0; run < 2; ++run) {
    testing_support::RemoveFile(uninstaller.marker);
    m_answerer.Then(uninstaller.OkWhenDone());
    m_answerer.Press(IDNO);
    DoubleClick(name);
    EXPECT_TRUE(uninstaller.Ran()) << "run " << run;
  }

  ExpectBoxes({{kDoneCaption, kDoneText},
               {kLeftCaption, LeftText("Kept Product")},
               {kDoneCaption, kDoneText},
               {kLeftCaption, LeftText("Kept Product")}});
  EXPECT_TRUE(ProductPresent(name));
  EXPECT_EQ(rows, List().GetCount());
  const std::vector<software_tests::Listed> expected = {
      {"Kept Product", uninstaller.command, name}};
  EXPECT_EQ(expected, software_tests::ListedOf(List(), {name}));
}

// A left key with subkeys: RegDeleteKeyA leaves it on the NT family, Windows 9x deletes the
// tree (the seam stands in for it), SHDeleteKeyA deletes it everywhere. The row goes only
// with the key.
struct TreeCase {
  bool nt5;
  bool win9x;
  bool deleted;
};

void PrintTo(const TreeCase& param, std::ostream* out) {
  *out << (param.nt5 ? "list told NT 5" : "list told Windows 98")
       << (param.win9x ? ", Windows 9x deletes" : ", NT deletes");
}

LONG WINAPI DeleteTreeAs9x(HKEY root, LPCSTR subKey) {
  return static_cast<LONG>(::SHDeleteKeyA(root, subKey));
}

class LeftTreeTest : public UninstallTest, public ::testing::WithParamInterface<TreeCase> {};

TEST_P(LeftTreeTest, RowGoesOnlyWhenTheKeyReallyWent) {
  const TreeCase& param = GetParam();
  const std::string name = "Quillmar Tree";
  ScopedProducts products({name});
  platform::ScopedSystem restore;
  if (param.win9x) platform::System().RegDeleteKeyA = &DeleteTreeAs9x;
  Uninstaller uninstaller(name, "leave");
  SeedProduct(name, "Tree Product", uninstaller.command.c_str());
  software_tests::SeedSubkey(name, "Components\\Scanner");
  OpenDialog();
  RunAs(param.nt5);

  m_answerer.Then(uninstaller.OkWhenDone());
  m_answerer.Press(IDYES);
  DoubleClick(name);

  ExpectBoxes({{kDoneCaption, kDoneText}, {kLeftCaption, LeftText("Tree Product")}});
  EXPECT_EQ(!param.deleted, ProductPresent(name));
  EXPECT_EQ(!param.deleted, RowOf(List(), name) >= 0);
  EXPECT_EQ(static_cast<size_t>(List().GetCount()), List().Entries().size());
}

INSTANTIATE_TEST_SUITE_P(Platforms, LeftTreeTest,
                         ::testing::Values(TreeCase{false, false, false},
                                           TreeCase{true, false, true},
                                           TreeCase{false, true, true}));

TEST_F(UninstallTest, LowerRowRunsItsOwnUninstallerAfterAMiddleRowWent) {
  const std::vector<std::string> names = {"Quillmar Row A", "Quillmar Row B", "Quillmar Row C"};
  ScopedProducts products(names);
  Uninstaller first(names[0], "leave");
  Uninstaller middle(names[1], "remove");
  Uninstaller last(names[2], "leave");
  SeedProduct(names[0], "Row A", first.command.c_str());
  SeedProduct(names[1], "Row B", middle.command.c_str());
  SeedProduct(names[2], "Row C", last.command.c_str());
  OpenDialog();
  ASSERT_EQ(RowOf(List(), names[0]) + 1, RowOf(List(), names[1]));
  ASSERT_EQ(RowOf(List(), names[1]) + 1, RowOf(List(), names[2]));
  const int rowOfB = RowOf(List(), names[1]);

  m_answerer.Then(middle.OkWhenDone());
  DoubleClick(names[1]);
  ASSERT_EQ(-1, RowOf(List(), names[1]));
  EXPECT_EQ(rowOfB, RowOf(List(), names[2]));
  EXPECT_EQ("Row C", List().GetText(rowOfB));

  m_answerer.Then(last.OkWhenDone());
  m_answerer.Press(IDNO);
  DoubleClick(names[2]);

  EXPECT_TRUE(last.Ran());
  EXPECT_FALSE(first.Ran());
  ExpectBoxes({{kDoneCaption, kDoneText},
               {kDoneCaption, kDoneText},
               {kLeftCaption, LeftText("Row C")}});
  const std::vector<software_tests::Listed> expected = {{"Row A", first.command, names[0]},
                                                        {"Row C", last.command, names[2]}};
  EXPECT_EQ(expected, software_tests::ListedOf(List(), names));
}

TEST_F(UninstallTest, RowWithoutTextOrCommandStillAsksAndChecksTheRegistry) {
  const std::string name = "Quillmar Bare";
  ScopedProducts products({name});
  SeedProduct(name, nullptr, nullptr);
  OpenDialog();

  m_answerer.Press(IDOK);
  m_answerer.Press(IDNO);
  DoubleClick(name);

  ExpectBoxes({{kDoneCaption, kDoneText},
               {kLeftCaption, "The registry of  is not cleaned.\nWould you want to delete it?"}});
  EXPECT_TRUE(ProductPresent(name));
  EXPECT_GE(RowOf(List(), name), 0);
}

TEST_F(UninstallTest, LongCommandReachesTheUninstallerWhole) {
  const std::string name = "Quillmar Long Command";
  ScopedProducts products({name});
  const std::string tail = "/log:" + std::string(700, 'q') + "-end";
  Uninstaller uninstaller(name, "remove", tail);
  ASSERT_GT(uninstaller.command.size(), 700u);
  SeedProduct(name, "Long Command", uninstaller.command.c_str());
  OpenDialog();

  m_answerer.Then(uninstaller.OkWhenDone());
  DoubleClick(name);

  ASSERT_TRUE(uninstaller.Ran());
  const std::string arguments = testing_support::ReadWholeFile(uninstaller.marker);
  EXPECT_NE(std::string::npos, arguments.find("\n" + tail + "\n")) << arguments;
  EXPECT_FALSE(ProductPresent(name));
  EXPECT_EQ(-1, RowOf(List(), name));
}

TEST_F(UninstallTest, ProductWithTheLongestKeyNameIsFoundAndDeleted) {
  const std::string name = "Quillmar " + std::string(255 - 9, 'k');
  ScopedProducts products({name});
  Uninstaller uninstaller(name, "leave");
  SeedProduct(name, "Longest Key", uninstaller.command.c_str());
  OpenDialog();
  RunAs(true);

  m_answerer.Then(uninstaller.OkWhenDone());
  m_answerer.Press(IDYES);
  DoubleClick(name);

  EXPECT_TRUE(uninstaller.Ran());
  ExpectBoxes({{kDoneCaption, kDoneText}, {kLeftCaption, LeftText("Longest Key")}});
  EXPECT_FALSE(ProductPresent(name));
  EXPECT_EQ(-1, RowOf(List(), name));
}

TEST_F(UninstallTest, ListRefilledWhileTheFirstBoxIsUpIsLeftAsTheFillMadeIt) {
  const std::vector<std::string> names = {"Quillmar Refill A", "Quillmar Refill B"};
  ScopedProducts products(names);
  Uninstaller uninstaller(names[0], "remove");
  SeedProduct(names[0], "Refill A", uninstaller.command.c_str());
  SeedProduct(names[1], "Refill B", "b.exe");
  OpenDialog();

  m_answerer.Then([&](HWND box) {
    uninstaller.AwaitRun();
    List().FillSoftwareList();
    testing_support::ClickButton(box, IDOK);
  });
  DoubleClick(names[0]);

  ExpectBoxes({{kDoneCaption, kDoneText}});
  const std::vector<software_tests::Listed> expected = {{"Refill B", "b.exe", names[1]}};
  EXPECT_EQ(expected, software_tests::ListedOf(List(), names));
}

TEST_F(UninstallTest, DoubleClickWithoutSelectionDoesNothing) {
  const std::string name = "Quillmar Unselected";
  ScopedProducts products({name});
  SeedProduct(name, "Unselected", "unselected.exe");
  OpenDialog();
  const int rows = List().GetCount();
  List().SetCurSel(-1);

  (*m_dlg)->SendCommand(IDC_SOFTWARE, LBN_DBLCLK);

  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(rows, List().GetCount());
  EXPECT_TRUE(ProductPresent(name));
}

// A program named without a folder comes from the system folder, else the Windows folder,
// by its full path; one of that name planted beside DrvPurge never runs, and when the name
// is in neither folder nothing starts and the row offers to delete the registration.
class UninstallerWithoutFolder : public UninstallTest,
                                 public ::testing::WithParamInterface<const char*> {};

TEST_P(UninstallerWithoutFolder, ComesFromTheSystemFoldersNeverFromBesideTheProgram) {
  const std::string where = GetParam(), stem = files_test::UniqueName("dptun");
  files_test::PlantedProgram planted(TestsDirectory() + "\\" + stem + ".exe");
  std::unique_ptr<files_test::PlantedProgram> right;
  if (where != "Neither")
    right.reset(new files_test::PlantedProgram(
        (where == "Windows" ? platform::WindowsDirectory() : platform::SystemDirectory()) + "\\" +
        stem + ".exe"));
  const std::string name = "Quillmar Planted", arguments = " /X{5D2C7F04} \"a b\"";
  ScopedProducts products({name});
  SeedProduct(name, "Planted", (stem + (where == "Bare" ? "" : ".exe") + arguments).c_str());
  OpenDialog();
  files_test::RecordedCalls calls;
  platform::System().WinExec = &files_test::RecordedCalls::RecordAndRun;
  std::string ran;
  m_answerer.Then([&](HWND box) {
    ran = planted.Ran(right ? 20000 : 0);
    testing_support::ClickButton(box, IDOK);
  });
  m_answerer.Press(IDNO);
  DoubleClick(name);

  ExpectBoxes({{kDoneCaption, kDoneText}, {kLeftCaption, LeftText("Planted")}});
  EXPECT_TRUE(platform::SameTextNoCase(right ? right->path() : "", ran)) << ran;
  EXPECT_EQ(right ? std::vector<std::string>{"\"" + right->path() + "\"" + arguments}
                  : std::vector<std::string>{},
            files_test::RecordedCalls::commands);
}

INSTANTIATE_TEST_SUITE_P(Folders, UninstallerWithoutFolder,
                         ::testing::Values("System", "Windows", "Bare", "Neither"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

// A program with a folder, quoted or not, is left as it is; a quoted name without one is
// looked for like any other.
TEST(UninstallCommand, OnlyAProgramWithoutAFolderIsLookedFor) {
  const std::string stem = files_test::UniqueName("dptun");
  files_test::PlantedProgram program(platform::SystemDirectory() + "\\" + stem + ".exe");
  for (const std::string& command : {"\"C:\\Program Files\\" + stem + ".exe\" /u",
                                    "Q\\" + stem + ".exe /u", "C:" + stem + ".exe"})
    EXPECT_EQ(command, UninstallCommandLine(command));
  EXPECT_EQ("\"" + program.path() + "\" /u", UninstallCommandLine("\"" + stem + "\" /u"));
}

}  // namespace
