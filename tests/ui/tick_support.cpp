#include "ui/tick_support.h"

#include "app/globals.h"
#include "res/resource.h"
#include "ui/detaildlg.h"

namespace ui_test {

namespace {
uint32_t ToDib(COLORREF colour) {
  return (static_cast<uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) |
         GetBValue(colour);
}
}  // namespace

Canvas::Canvas(int w, int h, COLORREF fill) : width(w), height(h) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_dc = ::CreateCompatibleDC(nullptr);
  m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_bits = static_cast<uint32_t*>(bits);
  m_old = ::SelectObject(m_dc, m_bitmap);
  Fill(fill);
}

Canvas::~Canvas() {
  ::SelectObject(m_dc, m_old);
  ::DeleteObject(m_bitmap);
  ::DeleteDC(m_dc);
}

void Canvas::Fill(COLORREF colour) {
  ::GdiFlush();
  for (int i = 0; i < width * height; ++i) m_bits[i] = ToDib(colour);
}

COLORREF Canvas::Pixel(int x, int y) const {
  ::GdiFlush();
  uint32_t value = m_bits[y * width + x];
  return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

std::vector<uint32_t> Canvas::Pixels() const {
  ::GdiFlush();
  std::vector<uint32_t> pixels(m_bits, m_bits + width * height);
  for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

std::vector<std::vector<bool>> TickMask() {
  HBITMAP tick = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TICK));
  BITMAP size;
  ::GetObjectA(tick, sizeof(size), &size);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.bmWidth;
  info.bmiHeader.biHeight = -size.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(size.bmWidth * size.bmHeight));
  HDC screen = ::GetDC(nullptr);
  ::GetDIBits(screen, tick, 0, static_cast<UINT>(size.bmHeight), pixels.data(), &info,
              DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  ::DeleteObject(tick);
  std::vector<std::vector<bool>> mask(static_cast<size_t>(size.bmHeight));
  for (int y = 0; y < size.bmHeight; ++y)
    for (int x = 0; x < size.bmWidth; ++x)
      mask[y].push_back((pixels[y * size.bmWidth + x] & 0xFFFFFF) == ToDib(kRed));
  return mask;
}

CSelectionList MakeList(std::initializer_list<std::pair<const char*, int>> entries) {
  CSelectionList list;
  int index = 0;
  for (const auto& entry : entries) {
    list.emplace_back(new CSelectionEntry);
    list.back()->m_strText = entry.first;
    list.back()->m_bSelected = entry.second;
    list.back()->m_nIndex = index++;
  }
  return list;
}

void PaintRow(HWND dialog, HDC dc, int row, RECT rect, UINT action, UINT state) {
  HWND list = ::GetDlgItem(dialog, IDC_DETAIL_LIST);
  DRAWITEMSTRUCT draw = {ODT_LISTBOX, IDC_DETAIL_LIST, static_cast<UINT>(row), action, state,
                         list, dc, rect,
                         static_cast<ULONG_PTR>(::SendMessageA(list, LB_GETITEMDATA,
                                                               static_cast<WPARAM>(row), 0))};
  ::SendMessageA(dialog, WM_DRAWITEM, IDC_DETAIL_LIST, reinterpret_cast<LPARAM>(&draw));
}

void Press(HWND list, int x, int y) {
  ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

RECT RowRect(HWND list, int row) {
  RECT rect = {};
  ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

CTickItem* ItemOf(HWND list, int row) {
  LRESULT data = ::SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0);
  return data == LB_ERR ? nullptr : reinterpret_cast<CTickItem*>(data);
}

ShowDetail::ShowDetail(int value) : m_saved(g_bShowDetail) { g_bShowDetail = value; }
ShowDetail::~ShowDetail() { g_bShowDetail = m_saved; }

void Leave(HWND dialog, End how) {
  switch (how) {
    case End::kOK:
      testing_support::ClickButton(dialog, IDOK);
      break;
    case End::kEscape: {
      HWND focus = ::GetFocus();
      ::PostMessageA(focus ? focus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
      break;
    }
    case End::kCloseBox:
      ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
}

namespace {
struct Waiting {
  HWND dialog;
  std::function<void()> body;
};
std::vector<std::pair<UINT_PTR, Waiting>> g_waiting;

void CALLBACK RunWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
  for (size_t i = 0; i < g_waiting.size(); ++i) {
    if (g_waiting[i].first != timer) continue;
    if (::IsWindow(g_waiting[i].second.dialog) && !::IsWindowVisible(g_waiting[i].second.dialog))
      return;
    ::KillTimer(nullptr, timer);
    Waiting waiting = std::move(g_waiting[i].second);
    g_waiting.erase(g_waiting.begin() + static_cast<long>(i));
    if (::IsWindow(waiting.dialog)) waiting.body();
    return;
  }
}
}  // namespace

void WhenShown(HWND dialog, std::function<void()> body) {
  if (::IsWindowVisible(dialog)) {
    body();
    return;
  }
  g_waiting.push_back({::SetTimer(nullptr, 0, 1, &RunWhenShown), {dialog, std::move(body)}});
}

int DetailsSeen(const testing_support::DialogAnswerer& answerer) {
  int count = 0;
  for (const auto& seen : answerer.Seen()) count += seen.caption == "Detail Items";
  return count;
}

INT_PTR RunDetail(CSelectionList* list, const std::function<void(HWND, HWND)>& body, End how) {
  testing_support::DialogAnswerer answerer;
  answerer.Then([&](HWND dialog) {
    WhenShown(dialog, [&, dialog] {
      body(dialog, ::GetDlgItem(dialog, IDC_DETAIL_LIST));
      Leave(dialog, how);
    });
  });
  CDetailDlg detail(list);
  return detail.DoModal();
}

}  // namespace ui_test
