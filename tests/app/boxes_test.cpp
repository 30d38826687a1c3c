// A click on a box with a Detail list goes by the program's record of that box, not by the
// box, which has already moved by itself when the click arrives. Whatever set the box last,
// the record must say what the box shows; otherwise the click puts the box back where it
// was and seems to do nothing.
#include <gtest/gtest.h>

#include <initializer_list>

#include "app/cleanerdlg.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"
#include "support/seeded_entries.h"
#include "support/version_fake.h"
#include "ui/tick_support.h"

namespace {

using testing_support::DialogAnswerer;
using testing_support::MainDialog;
using testing_support::SeededEntries;

const struct {
  int id;
  const char* name;
} kListedBoxes[] = {{IDC_CHK_STI, "STI"}, {IDC_CHK_SCSI, "SCSI"}, {IDC_CHK_USB, "USB"},
                    {IDC_CHK_INF, "INF"}, {IDC_CHK_SYSFILES, "system files"}};

// Presses every Detail button in turn and leaves each Detail dialog as `how` says.
void EveryDetail(MainDialog& dlg, ui_test::End how) {
  for (int detail : {IDC_DETAIL_STI, IDC_DETAIL_SCSI, IDC_DETAIL_USB, IDC_DETAIL_INF,
                     IDC_DETAIL_SYSFILES}) {
    DialogAnswerer answerer;
    answerer.Then([how](HWND dialog) { ui_test::Leave(dialog, how); });
    dlg.Click(detail);
    EXPECT_EQ(1, ui_test::DetailsSeen(answerer)) << detail;
  }
}

// Clicks the buttons `ids` in turn; none of them may open a dialog.
void ClickQuietly(MainDialog& dlg, std::initializer_list<int> ids) {
  DialogAnswerer none;
  for (int id : ids) dlg.Click(id);
  EXPECT_TRUE(none.Seen().empty());
}

// What last sets the boxes, on Windows XP with three entries of every item there.
struct Path {
  const char* name;
  void (*run)(MainDialog&, SeededEntries&);
};

const Path kPaths[] = {
    {"Detail left with Escape",
     [](MainDialog& dlg, SeededEntries&) { EveryDetail(dlg, ui_test::End::kEscape); }},
    {"Detail and OK once the entries went",
     [](MainDialog& dlg, SeededEntries& seeded) {
       seeded.Remove();
       EveryDetail(dlg, ui_test::End::kOK);
     }},
    {"Select All with nothing to list",
     [](MainDialog& dlg, SeededEntries& seeded) {
       seeded.Remove();
       ClickQuietly(dlg, {IDC_SELECTALL});
     }},
    {"Apply of all that Select All chose",
     [](MainDialog& dlg, SeededEntries&) { ClickQuietly(dlg, {IDC_SELECTALL, IDC_APPLY}); }},
};

TEST(ListedBoxes, OneClickChangesTheBoxWhateverSetItLast) {
  for (const Path& path : kPaths) {
    SCOPED_TRACE(path.name);
    testing_support::FakeWindowsVersion xp(testing_support::Windows::WinXp);
    SeededEntries seeded;
    MainDialog dlg;
    path.run(dlg, seeded);
    for (const auto& listed : kListedBoxes) {
      SCOPED_TRACE(listed.name);
      const int box = listed.id;
      const int shown = dlg.Check(box);
      EXPECT_EQ(shown != BST_UNCHECKED, dlg->Checked(box));
      if (!dlg.Enabled(box)) continue;
      dlg.Click(box);
      EXPECT_NE(shown, dlg.Check(box));
    }
  }
}

}  // namespace
