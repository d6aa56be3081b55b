#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/gdi.h"
#include "skin/skin.h"
#include "support/bmp_file.h"
#include "support/gdi_count.h"
#include "support/temp_folder.h"

namespace {

const COLORREF kGreen = RGB(0, 255, 0);

// Which runs a row gives is the region_walk fuzz harness's; here the picture
// as Windows loads it. A staircase of stripes, one run in the top row and 60
// from row 59 down (4,230 in all, over three batches): upside down, or with a
// batch lost, the shape differs.
TEST(BitmapToRegion, TheShapeKeepsItsTopAtTheTopAndItsBatchesWithoutLeaking) {
    const int width = 120, height = 100;
    const auto inside = [](int x, int y) { return x % 2 == 0 && x <= 2 * y; };
    // The picture as the program meets it: a .bmp file (stored bottom row
    // first) loaded as a device-dependent bitmap.
    const TempFolder folder;
    const std::string path = folder.Write(
        "shape.bmp", MakeBmpFile(width, height, [&](int x, int y) { return inside(x, y) ? 0x203040u : kGreen; }));
    CBitmapHandle picture(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    ASSERT_TRUE(picture);
    HRGN region = nullptr;
    const auto replaceRegion = [&] {
        DeleteObject(region);
        region = BitmapToRegion(picture.Get(), kGreen, 0);
    };
    EXPECT_EQ(GdiObjectsLeftBy(replaceRegion), 0) << "only the returned region is left";
    ASSERT_NE(region, nullptr);
    int mismatches = 0;  // pixels of the region against the picture's own rule
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) mismatches += (PtInRegion(region, x, y) != FALSE) != inside(x, y);
    }
    EXPECT_EQ(mismatches, 0);
    DeleteObject(region);
    EXPECT_EQ(BitmapToRegion(nullptr, kGreen, 0), nullptr);
}

}  // namespace
