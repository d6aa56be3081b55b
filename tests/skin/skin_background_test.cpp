#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/gdi.h"
#include "skin/skin.h"
#include "support/bmp_file.h"
#include "support/gdi_count.h"
#include "support/setting_for_test.h"
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

// How the title and the tiled background look is in the screenshots of both
// skins; here, what must hold whatever the skin.
// Without a readable skin everything is built in, and this test program has
// no built-in bitmaps: every element is empty.
TEST(SkinBackground, EmptyElementsAreLeftOutAndTheFrameStillDrawn) {
    SettingForTest noSkin("SkinIni", "C:\\no such folder\\skin.ini");
    LoadSkin();
    ASSERT_TRUE(CurrentSkin().background.Empty());
    EXPECT_EQ(CurrentSkin().skinDirectory, "");
    {
        PaintedBackground painted(50, 30);
        EXPECT_EQ(painted.At(25, 15), kUntouched);
        EXPECT_EQ(painted.At(1, 15), RGB(224, 224, 224)) << "light left edge";
        EXPECT_EQ(painted.At(48, 28), RGB(96, 96, 96)) << "dark bottom edge";
    }
    EXPECT_EQ(GdiObjectsLeftBy([] { PaintedBackground again(50, 30); }), 0) << "pens and DCs are freed";
}

std::string SolidBmp(int width, int height) {
    return MakeBmpFile(width, height, [](int, int) { return 0x00336699u; });
}

// This test program carries no bitmap resources, so every element that the
// skin does not name is an empty built-in one.
TEST(SkinLoader, NamedElementsComeFromTheSkinFolderTheRestFromBuiltIns) {
    TempFolder folder;
    folder.MakeFolder("Blue");
    folder.Write("Blue\\title.bmp", SolidBmp(40, 7));
    folder.Write("Blue\\window.bmp", SolidBmp(9, 5));
    const std::string ini = folder.Write("blue.ini", "[Blue skin]\r\nDirectory=" + folder.Path() +
                                                         "Blue\r\nTITLE=Title.BMP\r\ncombo_window=window.bmp\r\n");
    SettingForTest setting("SkinIni", ini);
    LoadSkin();
    const SkinRecord& skin = CurrentSkin();
    EXPECT_EQ(skin.skinIniPath, ini);
    EXPECT_EQ(skin.title.width, 40);
    EXPECT_EQ(skin.combo.itemArea.width, 9);
    EXPECT_EQ(skin.combo.dropBackground.bitmap, skin.combo.itemArea.bitmap) << "one element, two slots";
    EXPECT_TRUE(skin.header.span.Empty());
}

}  // namespace
