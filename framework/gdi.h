// Owners of the GDI objects the program creates, and a guard that undoes a selection.
// Each owner counts what it holds, so a test can see a leak where GetGuiResources
// cannot (Wine answers 0).
#pragma once
#include <windows.h>

namespace fw {

// GDI objects (bitmaps and memory DCs) created through these classes and not yet deleted.
long LiveGdiObjects();

class CBitmap {
 public:
  CBitmap() = default;
  ~CBitmap() { DeleteObject(); }
  CBitmap(CBitmap&& other) noexcept : m_hBitmap(other.m_hBitmap) { other.m_hBitmap = nullptr; }
  CBitmap& operator=(CBitmap&& other) noexcept;
  CBitmap(const CBitmap&) = delete;
  CBitmap& operator=(const CBitmap&) = delete;

  // Each of these replaces the bitmap held so far; false when nothing could be made.
  bool LoadBitmap(UINT resourceId);  // from the program's own resources
  bool CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel);
  bool CreateCompatibleBitmap(HDC dc, int width, int height);
  void DeleteObject();

  HBITMAP GetSafeHandle() const { return m_hBitmap; }
  // Width and height in pixels; 0 x 0 without a bitmap.
  SIZE GetSize() const;

 private:
  bool Attach(HBITMAP bitmap);
  HBITMAP m_hBitmap = nullptr;
};

// A memory DC compatible with `dc` (with the screen when `dc` is null), deleted with the
// object. Whatever is selected into it must be selected out before, by CSelection.
class CMemoryDC {
 public:
  explicit CMemoryDC(HDC dc);
  ~CMemoryDC();
  CMemoryDC(CMemoryDC&& other) noexcept : m_hDC(other.m_hDC) { other.m_hDC = nullptr; }
  CMemoryDC& operator=(CMemoryDC&&) = delete;
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }

 private:
  HDC m_hDC;
};

// BeginPaint and EndPaint as one pair: the paint DC of `window` for the life of the object.
class CPaintDC {
 public:
  explicit CPaintDC(HWND window) : m_hWnd(window), m_hDC(::BeginPaint(window, &m_paint)) {}
  ~CPaintDC() { ::EndPaint(m_hWnd, &m_paint); }
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

  operator HDC() const { return m_hDC; }

 private:
  HWND m_hWnd;
  PAINTSTRUCT m_paint;
  HDC m_hDC;
};

// Selects `object` into `dc` and selects the previous object back when it ends, so that
// neither the DC nor the object is deleted while the other still holds it.
class CSelection {
 public:
  CSelection(HDC dc, HGDIOBJ object)
      : m_hDC(dc), m_old(dc && object ? ::SelectObject(dc, object) : nullptr) {}
  ~CSelection() {
    if (m_old && m_old != HGDI_ERROR) ::SelectObject(m_hDC, m_old);
  }
  CSelection(CSelection&& other) noexcept : m_hDC(other.m_hDC), m_old(other.m_old) {
    other.m_old = nullptr;
  }
  CSelection& operator=(CSelection&&) = delete;
  CSelection(const CSelection&) = delete;
  CSelection& operator=(const CSelection&) = delete;

 private:
  HDC m_hDC;
  HGDIOBJ m_old;
};

}  // namespace fw
