#include "framework/gdi.h"

#include <atomic>

#include "framework/app.h"

namespace fw {

namespace {
std::atomic<long> g_liveObjects{0};
}

long LiveGdiObjects() { return g_liveObjects.load(); }

CBitmap& CBitmap::operator=(CBitmap&& other) noexcept {
  if (this != &other) {
    DeleteObject();
    m_hBitmap = other.m_hBitmap;
    other.m_hBitmap = nullptr;
  }
  return *this;
}

bool CBitmap::Attach(HBITMAP bitmap) {
  DeleteObject();
  if (!bitmap) return false;
  m_hBitmap = bitmap;
  ++g_liveObjects;
  return true;
}

bool CBitmap::LoadBitmap(UINT resourceId) {
  return Attach(::LoadBitmapA(Instance(), MAKEINTRESOURCEA(resourceId)));
}

bool CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel) {
  return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, nullptr));
}

bool CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc, width, height));
}

void CBitmap::DeleteObject() {
  if (!m_hBitmap) return;
  ::DeleteObject(m_hBitmap);
  m_hBitmap = nullptr;
  --g_liveObjects;
}

SIZE CBitmap::GetSize() const {
  BITMAP info;
  if (!m_hBitmap || ::GetObjectA(m_hBitmap, sizeof(info), &info) == 0)
    return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

CMemoryDC::CMemoryDC(HDC dc) : m_hDC(::CreateCompatibleDC(dc)) {
  if (m_hDC) ++g_liveObjects;
}

CMemoryDC::~CMemoryDC() {
  if (!m_hDC) return;
  ::DeleteDC(m_hDC);
  --g_liveObjects;
}

}  // namespace fw
