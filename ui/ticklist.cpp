#include "ui/ticklist.h"

#include <atomic>
#include <memory>

#include "res/resource.h"

namespace {
// The size of the tick bitmaps; also the size of a row whose bitmap is missing.
const SIZE kTickSize = {20, 16};
const int kTextGap = 5;
const COLORREF kWhite = RGB(255, 255, 255);

std::atomic<long> g_liveItems{0};
}  // namespace

void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y, COLORREF transparent) {
  BITMAP info;
  if (!dc || !bitmap || ::GetObjectA(bitmap, sizeof(info), &info) == 0) return;

  fw::CMemoryDC source(dc);
  fw::CSelection sourceBits(source, bitmap);
  POINT size = {info.bmWidth, info.bmHeight};
  ::DPtoLP(source, &size, 1);
  const int width = size.x, height = size.y;

  // Declared so that they go in the order mem, back, object, save.
  fw::CMemoryDC save(dc), object(dc), back(dc), mem(dc);
  fw::CBitmap backBits, objectBits, memBits, saveBits;
  if (!source || !save || !object || !back || !mem ||
      !backBits.CreateBitmap(width, height, 1, 1) ||
      !objectBits.CreateBitmap(width, height, 1, 1) ||
      !memBits.CreateCompatibleBitmap(dc, width, height) ||
      !saveBits.CreateCompatibleBitmap(dc, width, height))
    return;
  fw::CSelection backSelection(back, backBits.GetSafeHandle());
  fw::CSelection objectSelection(object, objectBits.GetSafeHandle());
  fw::CSelection memSelection(mem, memBits.GetSafeHandle());
  fw::CSelection saveSelection(save, saveBits.GetSafeHandle());

  ::SetMapMode(source, ::GetMapMode(dc));
  ::BitBlt(save, 0, 0, width, height, source, 0, 0, SRCCOPY);

  // Copying colour to monochrome gives 1 where the source has its background colour.
  COLORREF oldBack = ::SetBkColor(source, transparent);
  ::BitBlt(object, 0, 0, width, height, source, 0, 0, SRCCOPY);
  ::SetBkColor(source, oldBack);
  ::BitBlt(back, 0, 0, width, height, object, 0, 0, NOTSRCCOPY);

  ::BitBlt(mem, 0, 0, width, height, dc, x, y, SRCCOPY);
  ::BitBlt(mem, 0, 0, width, height, object, 0, 0, SRCAND);
  ::BitBlt(source, 0, 0, width, height, back, 0, 0, SRCAND);
  ::BitBlt(mem, 0, 0, width, height, source, 0, 0, SRCPAINT);
  ::BitBlt(dc, x, y, width, height, mem, 0, 0, SRCCOPY);

  ::BitBlt(source, 0, 0, width, height, save, 0, 0, SRCCOPY);
}

CTickItem::CTickItem(CSelectionEntry& entry)
    : m_strText(entry.m_strText),
      m_nBitmapId(entry.m_bSelected ? IDB_TICK : IDB_NOTICK),
      m_pEntry(&entry) {
  ++g_liveItems;
}

CTickItem::~CTickItem() { --g_liveItems; }

long CTickItem::Live() { return g_liveItems.load(); }

void CTickItem::LoadTick(int id) {
  m_bitmap.LoadBitmap(static_cast<UINT>(id));
  m_nLoadedId = id;
  m_size = m_bitmap.GetSafeHandle() ? m_bitmap.GetSize() : kTickSize;
}

SIZE CTickItem::GetTickSize() {
  if (!m_bitmap.GetSafeHandle()) LoadTick(m_nBitmapId);
  return m_size;
}

void CTickItem::Draw(HDC dc, const RECT& rect, BOOL) {
  if (m_nBitmapId != m_nLoadedId) {
    m_bitmap.DeleteObject();
    LoadTick(m_nBitmapId);
  }
  DrawTransparentBitmap(dc, m_bitmap.GetSafeHandle(), rect.left, rect.top, kWhite);

  // The tick column and the gap keep what the list box erased them to.
  RECT text = {rect.left + m_size.cx + kTextGap, rect.top, rect.right, rect.top + m_size.cy};
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  COLORREF oldBack = ::SetBkColor(dc, window);
  COLORREF oldText = ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &text, nullptr, 0, nullptr);
  ::DrawTextA(dc, m_strText.c_str(), static_cast<int>(m_strText.size()), &text,
              DT_SINGLELINE | DT_VCENTER);
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBack);
}

CTickListBox::~CTickListBox() {
  // Rows still shown lose their items with this object: the window must not keep them.
  if (!m_hWnd || !::IsWindow(m_hWnd)) return;
  for (int row = GetCount() - 1; row >= 0; --row)
    ::SendMessageA(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(row), 0);
}

void CTickListBox::ShowList(CSelectionList* list) {
  m_pList = list;
  if (!list) return;
  for (const auto& entry : *list)
    if (entry) AddEntry(*entry);
}

int CTickListBox::AddEntry(CSelectionEntry& entry) {
  std::unique_ptr<CTickItem> item(new CTickItem(entry));
  // A refused row answers LB_ERR or, out of memory, LB_ERRSPACE; either way it is not shown.
  int row = AddItemData(reinterpret_cast<LPARAM>(item.get()));
  if (row >= 0) m_items.push_back(std::move(item));
  return row;
}

CTickItem* CTickListBox::ItemAt(int row) const {
  LPARAM data = GetItemData(row);
  return data == LB_ERR ? nullptr : reinterpret_cast<CTickItem*>(data);
}

void CTickListBox::MeasureItem(MEASUREITEMSTRUCT& measure) {
  SIZE size = kTickSize;
  if (CTickItem* item = reinterpret_cast<CTickItem*>(measure.itemData)) size = item->GetTickSize();
  measure.itemHeight = static_cast<UINT>(size.cy);
  m_nCheckWidth = static_cast<unsigned short>(size.cx);
}

void CTickListBox::DrawItem(DRAWITEMSTRUCT& draw) {
  if (static_cast<int>(draw.itemID) == -1) return;
  CTickItem* item = reinterpret_cast<CTickItem*>(draw.itemData);
  if (!item) return;
  // ODA_FOCUS alone draws nothing: the list never shows a focus rectangle.
  if (draw.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))
    item->Draw(draw.hDC, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
}

void CTickListBox::DeleteItem(DELETEITEMSTRUCT& item) {
  const CTickItem* gone = reinterpret_cast<const CTickItem*>(item.itemData);
  for (auto it = m_items.begin(); it != m_items.end(); ++it) {
    if (it->get() != gone) continue;
    m_items.erase(it);
    return;
  }
}

bool CTickListBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_LBUTTONDOWN) return false;
  POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (OnLButtonDown(static_cast<UINT>(wParam), point)) return false;
  result = 0;
  return true;
}

bool CTickListBox::OnLButtonDown(UINT, POINT point) {
  if (!m_pList || m_pList->empty()) return false;
  // A press below the last row counts for the last row: the high word is not looked at.
  LRESULT hit = ::SendMessageA(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  if (point.x <= m_nCheckWidth) Toggle(static_cast<int>(LOWORD(hit)));
  return true;
}

void CTickListBox::Toggle(int row) {
  if (row >= GetCount()) return;
  CTickItem* item = ItemAt(row);
  if (!item || !item->m_pEntry) return;
  if (item->m_nBitmapId == IDB_NOTICK) {
    item->m_nBitmapId = IDB_TICK;
    item->m_pEntry->m_bSelected = true;
  } else {
    item->m_nBitmapId = IDB_NOTICK;
    item->m_pEntry->m_bSelected = false;
  }
  // The tick is drawn transparently, so the strip must be erased before it is repainted.
  RECT strip;
  if (GetItemRect(row, strip)) {
    strip.right = m_nCheckWidth + kTextGap;
    ::InvalidateRect(m_hWnd, &strip, TRUE);
  }
}
