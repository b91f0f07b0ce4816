// The built-in bitmaps decode, with the sizes the command bar and the about box rely on.
#include <gtest/gtest.h>

#include <climits>

#include "platform/BmpReader.h"
#include "res/Bitmaps.h"

namespace {

TEST(Bitmaps, EveryBuiltInBitmapDecodesAtItsSize) {
    const struct {
        int id;
        int width;
        int height;
    } cases[] = {
        {110, 5 * 16, 16}, {132, 6 * 16, 16}, {134, 6 * 16, 16},
        {135, 6 * 16, 16}, {136, 6 * 16, 16}, {139, 176, 52},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        Bitmap bmp;
        std::string why;
        ASSERT_TRUE(DecodeBmp(res::BitmapResource(c.id), bmp, &why)) << why;
        EXPECT_EQ(bmp.width, c.width);
        EXPECT_EQ(bmp.height, c.height);
    }
}

TEST(Bitmaps, ToolbarStripsDifferByMode) {
    // The four strips show the pencil and eraser buttons in their states: no two are the same.
    const int ids[] = {132, 134, 135, 136};
    for (int a : ids) {
        for (int b : ids) {
            if (a < b) {
                Bitmap x;
                Bitmap y;
                ASSERT_TRUE(DecodeBmp(res::BitmapResource(a), x));
                ASSERT_TRUE(DecodeBmp(res::BitmapResource(b), y));
                EXPECT_NE(x.pixels, y.pixels) << a << " " << b;
            }
        }
    }
}

TEST(Bitmaps, OtherIdsHaveNone) {
    for (int id : {0, 109, 111, 131, 133, 137, 138, 140, -110, INT_MAX, INT_MIN}) {
        EXPECT_TRUE(res::BitmapResource(id).empty()) << id;
    }
}

}  // namespace
