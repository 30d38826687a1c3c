#include <gtest/gtest.h>

#include "framework/dialog.h"
#include "framework/fileerror.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/registry_fixture.h"

using fw::CFileException;
using testing_support::DialogAnswerer;

namespace {

TEST(FileError, CausesComeFromTheSystemErrorAndNameTheirTexts) {
  struct {
    DWORD error;
    CFileException::Cause cause;
    UINT message;
    const char* text;
  } cases[] = {
      {ERROR_ACCESS_DENIED, CFileException::accessDenied, 61861, "Access to an unnamed file was denied."},
      {ERROR_SHARING_VIOLATION, CFileException::sharingViolation, 61867,
       "A sharing violation occurred while accessing an unnamed file."},
      {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound, 61858, "an unnamed file was not found."},
      {ERROR_PATH_NOT_FOUND, CFileException::badPath, 61859, "an unnamed file contains an invalid path."},
      {ERROR_LOCK_VIOLATION, CFileException::lockViolation, 61868,
       "A locking violation occurred while accessing an unnamed file."},
      {ERROR_DISK_FULL, CFileException::diskFull, 61869, "Disk full while accessing an unnamed file."},
      {ERROR_NOT_ENOUGH_MEMORY, CFileException::genericException, 61857,
       "An unknown error occurred while accessing an unnamed file."},
  };
  for (const auto& c : cases) {
    CFileException error(CFileException::CauseFromOsError(c.error), c.error);
    EXPECT_EQ(c.cause, error.m_cause) << c.error;
    EXPECT_EQ(c.message, CFileException::MessageId(error.m_cause)) << c.error;
    EXPECT_EQ(c.text, error.Text()) << c.error;
  }
}

// A dialog whose button removes a file, then notes that it went on.
class RemovingDialog : public fw::CDialog {
 public:
  explicit RemovingDialog(std::string path) : fw::CDialog(IDD_ABOUTBOX), m_path(std::move(path)) {}
  bool m_wentOn = false;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
    if (message != WM_COMMAND || LOWORD(wParam) != 4242) return false;
    fw::RemoveFile(m_path);
    m_wentOn = true;
    return true;
  }

 private:
  std::string m_path;
};

TEST(FileError, AFailedRemovalShowsTheStopBoxAndEndsTheCommand) {
  std::string path = testing_support::WindowsDir() + "\\temp\\drvpurge-readonly.tmp";
  testing_support::WriteFile(path);
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);

  RemovingDialog dlg(path);
  ASSERT_TRUE(dlg.Create());
  DialogAnswerer answers;
  answers.Press(IDOK);
  ::SendMessageA(dlg.GetSafeHwnd(), WM_COMMAND, 4242, 0);

  ASSERT_EQ(1u, answers.Seen().size());
  EXPECT_EQ("Access to an unnamed file was denied.", answers.Seen()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), answers.Seen()[0].icon);
  EXPECT_FALSE(dlg.m_wentOn);
  EXPECT_TRUE(testing_support::FilePresent(path));
  EXPECT_TRUE(::IsWindow(dlg.GetSafeHwnd()));

  // Once the file can go, the same command runs to its end.
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::SendMessageA(dlg.GetSafeHwnd(), WM_COMMAND, 4242, 0);
  EXPECT_TRUE(dlg.m_wentOn);
  EXPECT_FALSE(testing_support::FilePresent(path));
  EXPECT_EQ(1u, answers.Seen().size());
  ::DestroyWindow(dlg.GetSafeHwnd());
}

}  // namespace
