// Counting the windows a thread owns, children and all: a leaked window shows as one more.
#pragma once
#include <windows.h>

namespace testing_support {

namespace window_count_detail {
inline BOOL CALLBACK CountOne(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}
// EnumChildWindows reaches every descendant, not only the children.
inline BOOL CALLBACK CountWithDescendants(HWND window, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  ::EnumChildWindows(window, &CountOne, count);
  return TRUE;
}
}  // namespace window_count_detail

// The top-level windows of the calling thread and all their descendants.
inline long ThreadWindows() {
  long count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), &window_count_detail::CountWithDescendants,
                      reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace testing_support
