// A companion program that has stopped answering its messages must not stop the clean-up:
// its window is given a few seconds, then the rest of the removal goes on.
#include <gtest/gtest.h>

#include "files/file_fixture.h"
#include "res/resource.h"
#include "support/main_dialog.h"
#include "support/registry_fixture.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A top-level window on a thread of its own that never looks at its messages again once
// the window is up, as a hung program's window does. The thread ends with the object.
class HungWindow {
 public:
  explicit HungWindow(const char* caption) : m_caption(caption) {
    m_ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = ::CreateThread(nullptr, 0, &Run, this, 0, nullptr);
    ::WaitForSingleObject(m_ready, 10000);
  }
  ~HungWindow() {
    ::SetEvent(m_release);
    ::WaitForSingleObject(m_thread, 10000);
    ::CloseHandle(m_thread);
    ::CloseHandle(m_ready);
    ::CloseHandle(m_release);
  }
  HungWindow(const HungWindow&) = delete;
  HungWindow& operator=(const HungWindow&) = delete;

  HWND window() const { return m_window; }

 private:
  static DWORD WINAPI Run(void* self) {
    HungWindow& hung = *static_cast<HungWindow*>(self);
    hung.m_window = ::CreateWindowExA(0, "STATIC", hung.m_caption, WS_OVERLAPPED, 0, 0, 100, 50,
                                      nullptr, nullptr, nullptr, nullptr);
    ::SetEvent(hung.m_ready);
    ::WaitForSingleObject(hung.m_release, INFINITE);
    if (hung.m_window) ::DestroyWindow(hung.m_window);
    return 0;
  }

  const char* m_caption;
  HWND m_window = nullptr;
  HANDLE m_ready, m_release, m_thread;
};

TEST(HungCompanions, TheirRemovalGoesOnWithoutThem) {
  files_test::RecordedCalls calls;
  HungWindow eventManager("Quillmar Event Manager 1.0");
  HungWindow detector("Quillmar Scanner Detector 1.3");
  ASSERT_TRUE(eventManager.window());
  ASSERT_TRUE(detector.window());
  testing_support::SetString(HKEY_LOCAL_MACHINE, kRunKey, "evmonitr.exe", "C:\\x.exe");
  testing_support::SetString(HKEY_LOCAL_MACHINE, kRunKey, "ScanEye.exe", "C:\\y.exe");
  files_test::ScopedFile program(files_test::WinDir() + "\\System\\Evmonitr.exe");
  testing_support::MainDialog main;

  main->RemoveEventManager();
  main->RemoveDetector();

  EXPECT_FALSE(testing_support::ValuePresent(HKEY_LOCAL_MACHINE, kRunKey, "evmonitr.exe"));
  EXPECT_FALSE(testing_support::ValuePresent(HKEY_LOCAL_MACHINE, kRunKey, "ScanEye.exe"));
  EXPECT_FALSE(program.present());
  EXPECT_FALSE(main.Enabled(IDC_CHK_EVENTMGR));
  EXPECT_FALSE(main.Enabled(IDC_CHK_DETECTOR));
  // The windows are still there: nobody could close them.
  EXPECT_TRUE(::IsWindow(eventManager.window()));
  EXPECT_TRUE(::IsWindow(detector.window()));
}

}  // namespace
