#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/gdi.h"
#include "skin/skin.h"
#include "skin_setting.h"
#include "support/bmp_file.h"
#include "support/gdi_count.h"
#include "support/temp_folder.h"

namespace {

const COLORREF kUntouched = RGB(1, 2, 3);

// Paints a window's background into a memory DC the size of its client area.
class PaintedBackground {
public:
    PaintedBackground(int width, int height)
        : window_(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, width, height, nullptr, nullptr, nullptr, nullptr)),
          screen_(nullptr),
          buffer_(screen_.Get(), width, height) {
        CBrushHandle fill(CreateSolidBrush(kUntouched));
        const RECT all = {0, 0, width, height};
        FillRect(buffer_.Get(), &all, fill.Get());
        DrawSkinBackground(window_, buffer_.Get());
    }
    ~PaintedBackground() { DestroyWindow(window_); }
    COLORREF At(int x, int y) const { return GetPixel(buffer_.Get(), x, y); }

private:
    HWND window_;
    CClientDC screen_;
    CBufferDC buffer_;
};

TEST(SkinBackground, TitleOverTiledBackgroundInsideARaisedFrame) {
    TempFolder folder;
    folder.Write("title.bmp", MakeBmpFile(4, 10, [](int, int) { return RGB(200, 0, 0); }));
    // Two rows of different colours, so tiling shows as stripes 2 pixels apart.
    folder.Write("back.bmp", MakeBmpFile(3, 2, [](int, int y) { return y == 0 ? RGB(0, 0, 200) : RGB(0, 200, 0); }));
    SkinIniSetting setting(
        folder.Write("skin.ini", "directory=" + folder.Path() + "\ntitle=title.bmp\nbackground=back.bmp\n"));
    LoadSkin();

    {
        PaintedBackground painted(60, 40);
        EXPECT_EQ(painted.At(30, 5), RGB(200, 0, 0)) << "title strip across the top, its own height";
        EXPECT_EQ(painted.At(30, 20), RGB(0, 0, 200));
        EXPECT_EQ(painted.At(30, 21), RGB(0, 200, 0));
        EXPECT_EQ(painted.At(30, 34), RGB(0, 0, 200)) << "the background is tiled down to the bottom";
        EXPECT_EQ(painted.At(0, 20), RGB(224, 224, 224)) << "light left edge";
        EXPECT_EQ(painted.At(30, 39), RGB(96, 96, 96)) << "dark bottom edge";
        EXPECT_EQ(painted.At(59, 20), RGB(96, 96, 96)) << "dark right edge";
    }
    // Counted from the second painting on: the first leaves the system's own caches.
    const int before = CountGdiObjects();
    { PaintedBackground again(60, 40); }
    EXPECT_EQ(CountGdiObjects(), before) << "pens and DCs are freed";
}

TEST(SkinBackground, EmptyElementsAreLeftOutAndTheFrameStillDrawn) {
    SkinIniSetting noSkin("");
    LoadSkin();  // this test program has no built-in bitmaps: every element is empty
    ASSERT_TRUE(CurrentSkin().background.Empty());
    PaintedBackground painted(50, 30);
    EXPECT_EQ(painted.At(25, 15), kUntouched);
    EXPECT_EQ(painted.At(1, 15), RGB(224, 224, 224));
    EXPECT_EQ(painted.At(48, 28), RGB(96, 96, 96));
}

}  // namespace
