#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/gdi.h"
#include "skin/skin.h"
#include "skin_setting.h"
#include "support/gdi_count.h"

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

// How the title and the tiled background look is in the screenshots of both
// skins; here, what must hold whatever the skin.
TEST(SkinBackground, EmptyElementsAreLeftOutAndTheFrameStillDrawn) {
    SkinIniSetting noSkin("");
    LoadSkin();  // this test program has no built-in bitmaps: every element is empty
    ASSERT_TRUE(CurrentSkin().background.Empty());
    {
        PaintedBackground painted(50, 30);
        EXPECT_EQ(painted.At(25, 15), kUntouched);
        EXPECT_EQ(painted.At(1, 15), RGB(224, 224, 224)) << "light left edge";
        EXPECT_EQ(painted.At(48, 28), RGB(96, 96, 96)) << "dark bottom edge";
    }
    // Counted from the second painting on: the first leaves the system's own caches.
    const int before = CountGdiObjects();
    { PaintedBackground again(50, 30); }
    EXPECT_EQ(CountGdiObjects(), before) << "pens and DCs are freed";
}

}  // namespace
