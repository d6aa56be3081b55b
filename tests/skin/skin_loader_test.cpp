#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "skin/skin.h"
#include "skin_setting.h"
#include "support/bmp_file.h"
#include "support/temp_folder.h"

namespace {

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
    SkinIniSetting setting(ini);
    LoadSkin();
    const SkinRecord& skin = CurrentSkin();
    EXPECT_EQ(skin.skinIniPath, ini);
    EXPECT_EQ(skin.title.width, 40);
    EXPECT_EQ(skin.title.height, 7);
    EXPECT_EQ(skin.combo.itemArea.width, 9);
    EXPECT_EQ(skin.combo.dropBackground.bitmap, skin.combo.itemArea.bitmap) << "one element, two slots";
    EXPECT_TRUE(skin.header.span.Empty());
    EXPECT_EQ(skin.combo.setLayeredWindowAttributes, skin.setLayeredWindowAttributes);
}

TEST(SkinLoader, WithoutAReadableSkinEverythingIsBuiltIn) {
    for (const std::string& path : {std::string(), std::string("C:\\no such folder\\skin.ini")}) {
        SkinIniSetting setting(path);
        LoadSkin();
        EXPECT_TRUE(CurrentSkin().title.Empty());
        EXPECT_TRUE(CurrentSkin().vScroll.thumb.Empty());
        EXPECT_EQ(CurrentSkin().skinDirectory, "");
    }
}

}  // namespace
