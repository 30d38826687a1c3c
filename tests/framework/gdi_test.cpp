#include <gtest/gtest.h>

#include <utility>

#include "framework/gdi.h"
#include "res/resource.h"

namespace {

TEST(GdiOwners, CountWhatTheyHoldHandItOnWhenMovedAndUndoSelections) {
  const long start = fw::LiveGdiObjects();
  {
    fw::CBitmap tick;
    ASSERT_TRUE(tick.LoadBitmap(IDB_TICK));
    EXPECT_EQ(20, tick.GetSize().cx);
    EXPECT_EQ(16, tick.GetSize().cy);
    fw::CBitmap other;
    ASSERT_TRUE(other.CreateBitmap(3, 3, 1, 1));
    EXPECT_EQ(start + 2, fw::LiveGdiObjects());
    other = std::move(tick);  // the 3 x 3 bitmap goes, the tick changes hands
    EXPECT_EQ(nullptr, tick.GetSafeHandle());
    EXPECT_EQ(start + 1, fw::LiveGdiObjects());

    fw::CMemoryDC dc(nullptr);
    fw::CMemoryDC moved(std::move(dc));
    EXPECT_EQ(start + 2, fw::LiveGdiObjects());
    HGDIOBJ original = ::GetCurrentObject(moved, OBJ_BITMAP);
    {
      fw::CSelection selection(moved, other.GetSafeHandle());
      EXPECT_EQ(other.GetSafeHandle(), ::GetCurrentObject(moved, OBJ_BITMAP));
    }
    EXPECT_EQ(original, ::GetCurrentObject(moved, OBJ_BITMAP));

    EXPECT_FALSE(other.LoadBitmap(9999));  // no such resource: the old bitmap goes all the same
    EXPECT_EQ(nullptr, other.GetSafeHandle());
    EXPECT_EQ(start + 1, fw::LiveGdiObjects());
  }
  EXPECT_EQ(start, fw::LiveGdiObjects());
}

}  // namespace
