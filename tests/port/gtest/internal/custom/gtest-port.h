// GoogleTest's port hook, found before its own empty one. The program's runtime (the win32
// thread model, which keeps newer Windows functions out of the program) has no std::mutex,
// which GoogleTest's Notification would need; this one waits on a Windows event instead.
// GoogleTest uses it only to start the threads of its own tests.
#ifndef DRVPURGE_TESTS_GTEST_PORT_H_
#define DRVPURGE_TESTS_GTEST_PORT_H_

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() : event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() {
    if (event_) ::CloseHandle(event_);
  }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { ::SetEvent(event_); }
  void WaitForNotification() { ::WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace internal
}  // namespace testing

#endif  // DRVPURGE_TESTS_GTEST_PORT_H_
