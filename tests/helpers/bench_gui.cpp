// Benchmark helper: GDI and window objects of the real main dialog after many timer ticks and
// Detail runs, counted from inside the process (Wine's GetGuiResources answers 0).
//
//   bench_gui DETAILS TICKS
//
// The process's GDI table is filled but for a few thousand slots first, so that counting
// the free slots is quick and sees a GDI object leaked by any code. Each Detail run is
// answered by the Escape key as soon as the dialog is active. Prints one line:
//   gui_inproc ticks=.. details=.. gdi_free_before=.. gdi_free_after=.. windows_before=..
//   windows_after=.. framework_gdi_before=.. framework_gdi_after=.. framework_gdi_while_open=..
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/cleanerdlg.h"
#include "framework/gdi.h"
#include "res/resource.h"
#include "support/window_count.h"

namespace {

std::vector<HGDIOBJ> g_held;

void FillGdiTableAllBut(size_t spare) {
  while (HGDIOBJ brush = ::CreateSolidBrush(RGB(1, 2, 3))) g_held.push_back(brush);
  for (size_t i = 0; i < spare && !g_held.empty(); ++i) {
    ::DeleteObject(g_held.back());
    g_held.pop_back();
  }
}

size_t FreeGdiSlots() {
  std::vector<HGDIOBJ> made;
  while (HGDIOBJ brush = ::CreateSolidBrush(RGB(1, 2, 3))) made.push_back(brush);
  for (HGDIOBJ brush : made) ::DeleteObject(brush);
  return made.size();
}

using testing_support::ThreadWindows;

HWND g_answerer = nullptr;
int g_answered = 0;
long g_mostWhileOpen = 0;  // framework GDI objects seen while a Detail dialog was up

LRESULT CALLBACK AnswerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_APP) return ::DefWindowProcA(window, message, wParam, lParam);
  HWND dialog = reinterpret_cast<HWND>(wParam);
  char caption[64] = "";
  if (::IsWindow(dialog)) ::GetWindowTextA(dialog, caption, sizeof(caption));
  if (std::strcmp(caption, "Detail Items") == 0) {
    // Painted before it is answered, so that its rows load their bitmaps as a user sees them.
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    g_mostWhileOpen = std::max(g_mostWhileOpen, fw::LiveGdiObjects());
    HWND focus = ::GetFocus();
    HWND target = focus && (focus == dialog || ::IsChild(dialog, focus)) ? focus : dialog;
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(VK_ESCAPE, 0)) << 16;
    ::PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 1 | scan);
    ::PostMessageA(target, WM_KEYUP, VK_ESCAPE, 1 | scan | (LPARAM(3) << 30));
    ++g_answered;
  }
  return 0;
}

LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) ::PostMessageA(g_answerer, WM_APP, wParam, 0);
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int details = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int ticks = argc > 2 ? std::atoi(argv[2]) : 3600;

  WNDCLASSA type = {};
  type.lpfnWndProc = &AnswerProc;
  type.hInstance = ::GetModuleHandleA(nullptr);
  type.lpszClassName = "BenchGui.Answerer";
  ::RegisterClassA(&type);
  g_answerer = ::CreateWindowA(type.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               type.hInstance, nullptr);
  HHOOK hook = ::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());

  CCleanerDlg dialog;
  if (!dialog.Create()) {
    std::printf("failed: the main dialog was not created\n");
    return 1;
  }
  HWND main = dialog.GetSafeHwnd();
  ::ShowWindow(main, SW_SHOW);
  ::UpdateWindow(main);
  Pump();
  HWND detailButton = ::GetDlgItem(main, IDC_DETAIL_USB);
  auto detail = [&] { ::SendMessageA(detailButton, BM_CLICK, 0, 0); };
  auto tick = [&] {
    ::SendMessageA(main, WM_TIMER, 100, 0);
    ::RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  // One of each first: what the system caches on first use is then in place.
  detail();
  tick();
  Pump();

  FillGdiTableAllBut(4000);
  const size_t slotsBefore = FreeGdiSlots();
  const long windowsBefore = ThreadWindows();
  const long objectsBefore = fw::LiveGdiObjects();
  const int answeredBefore = g_answered;
  for (int i = 0; i < ticks; ++i) tick();
  for (int i = 0; i < details; ++i) detail();
  Pump();
  const size_t slotsAfter = FreeGdiSlots();
  const long windowsAfter = ThreadWindows();
  const long objectsAfter = fw::LiveGdiObjects();
  std::printf("gui_inproc ticks=%d details=%d answered=%d gdi_free_before=%lu gdi_free_after=%lu "
              "windows_before=%ld windows_after=%ld framework_gdi_before=%ld "
              "framework_gdi_after=%ld framework_gdi_while_open=%ld\n",
              ticks, details, g_answered - answeredBefore, static_cast<unsigned long>(slotsBefore),
              static_cast<unsigned long>(slotsAfter), windowsBefore, windowsAfter, objectsBefore,
              objectsAfter, g_mostWhileOpen);
  for (HGDIOBJ brush : g_held) ::DeleteObject(brush);
  ::DestroyWindow(main);
  Pump();
  ::UnhookWindowsHookEx(hook);
  ::DestroyWindow(g_answerer);
  return 0;
}
