#include <gtest/gtest.h>

#include "files/file_fixture.h"
#include "framework/fileerror.h"
#include "res/resource.h"

namespace {

using fw::CFileException;

struct CauseCase {
  DWORD osError;
  CFileException::Cause cause;
  UINT message;
  const char* text;
};

class FileErrorText : public ::testing::TestWithParam<CauseCase> {};

TEST_P(FileErrorText, SystemErrorGivesTheCauseAndItsText) {
  const CauseCase& c = GetParam();
  EXPECT_EQ(c.cause, CFileException::CauseFromOsError(c.osError));
  EXPECT_EQ(c.message, CFileException::MessageId(c.cause));
  EXPECT_EQ(c.text, CFileException(c.cause, c.osError).Text());
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FileErrorText,
    ::testing::Values(
        CauseCase{ERROR_ACCESS_DENIED, CFileException::accessDenied, 61861,
                  "Access to an unnamed file was denied."},
        CauseCase{ERROR_SHARING_VIOLATION, CFileException::sharingViolation, 61867,
                  "A sharing violation occurred while accessing an unnamed file."},
        CauseCase{ERROR_FILE_NOT_FOUND, CFileException::fileNotFound, 61858,
                  "an unnamed file was not found."},
        CauseCase{ERROR_LOCK_VIOLATION, CFileException::lockViolation, 61868,
                  "A locking violation occurred while accessing an unnamed file."},
        CauseCase{ERROR_NOT_SUPPORTED, CFileException::genericException, 61857,
                  "An unknown error occurred while accessing an unnamed file."}));

// The removal that the INF and event-manager steps use, on real files.
TEST(RemoveFile, ThrowsTheCauseOfTheFailedDeletion) {
  files_test::ScopedFile readOnly(files_test::TempPath(".tmp"), "x", FILE_ATTRIBUTE_READONLY);
  files_test::ScopedFile held(files_test::TempPath(".tmp"));
  files_test::ScopedFile plain(files_test::TempPath(".tmp"));
  files_test::HeldOpen open(held.path());

  const struct { const files_test::ScopedFile* file; CFileException::Cause cause; } cases[] = {
      {&readOnly, CFileException::accessDenied}, {&held, CFileException::sharingViolation}};
  for (const auto& c : cases) {
    try {
      fw::RemoveFile(c.file->path());
      ADD_FAILURE() << "no error for " << c.file->path();
    } catch (const CFileException& error) {
      EXPECT_EQ(c.cause, error.m_cause) << c.file->path();
    }
    EXPECT_TRUE(c.file->present());
  }
  EXPECT_NO_THROW(fw::RemoveFile(plain.path()));
  EXPECT_FALSE(plain.present());
}

}  // namespace
