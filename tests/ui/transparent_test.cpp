#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/gdi.h"
#include "ui/tick_support.h"
#include "ui/ticklist.h"

using namespace ui_test;

namespace {

const int kWidth = 4, kHeight = 3;
const COLORREF kNavy = RGB(10, 20, 30);
const COLORREF kPicture[kHeight][kWidth] = {
    {RGB(255, 255, 255), kRed, kNavy, RGB(0, 0, 0)},
    {RGB(0, 0, 255), RGB(255, 255, 255), RGB(255, 255, 255), kNavy},
    {RGB(0, 255, 0), RGB(0, 0, 0), RGB(255, 255, 255), kRed},
};

uint32_t Dib(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// The picture as a 32-bit DIB section that no DC holds, as the caller's bitmap would be.
class TransparentCopy : public ::testing::TestWithParam<COLORREF> {
 protected:
  void SetUp() override {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<uint32_t*>(bits);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) m_bits[y * kWidth + x] = Dib(kPicture[y][x]);
  }
  void TearDown() override { ::DeleteObject(m_bitmap); }

  HBITMAP m_bitmap = nullptr;
  uint32_t* m_bits = nullptr;
};

TEST_P(TransparentCopy, CopiesEveryPixelButTheTransparentColourAndLeavesTheBitmapAsItWas) {
  const COLORREF transparent = GetParam();
  const long objects = fw::LiveGdiObjects();
  Canvas canvas(12, 12, kGreen);
  DrawTransparentBitmap(canvas.dc(), m_bitmap, 5, 7, transparent);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      COLORREF expected = kGreen;
      if (x >= 5 && x < 5 + kWidth && y >= 7 && y < 7 + kHeight &&
          kPicture[y - 7][x - 5] != transparent)
        expected = kPicture[y - 7][x - 5];
      ASSERT_EQ(expected, canvas.Pixel(x, y)) << x << "," << y;
    }
  EXPECT_EQ(objects, fw::LiveGdiObjects());

  ::GdiFlush();
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      EXPECT_EQ(Dib(kPicture[y][x]), m_bits[y * kWidth + x] & 0xFFFFFF) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Colours, TransparentCopy,
                         ::testing::Values(RGB(255, 255, 255), RGB(0, 0, 0), kNavy,
                                           RGB(1, 2, 3)));

TEST(TransparentCopyWithoutBitmap, LeavesTheDestinationAlone) {
  Canvas canvas(8, 8, kGreen);
  const Canvas untouched(8, 8, kGreen);
  DrawTransparentBitmap(canvas.dc(), nullptr, 0, 0, RGB(255, 255, 255));
  EXPECT_EQ(untouched.Pixels(), canvas.Pixels());
}

}  // namespace
