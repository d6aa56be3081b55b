#include <windows.h>

#include "framework/application.h"
#include "framework/registry.h"
#include "resource_ids.h"
#include "skin/skin.h"
#include "skin/skin_file.h"

namespace {

SkinRecord skin;

SkinElement Measured(HBITMAP bitmap) {
    SkinElement element;
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return element;
    element.bitmap = bitmap;
    element.width = info.bmWidth;
    element.height = info.bmHeight;
    return element;
}

// The one failure that ends the program. Runs before any window of ours
// exists, so the system message box speaks for us.
[[noreturn]] void RefuseSkin(const std::string& path) {
    const std::string message =
        "Cannot load " + path + "\nCannot initialise Clipvane skin, Clipvane will restart with original theme";
    MessageBoxA(GetActiveWindow(), message.c_str(), "Error", MB_OK | MB_ICONERROR);
    WriteSetting("SkinIni", "");
    ExitProcess(0);
}

void FillStyles() {
    ComboStyle& combo = skin.combo;
    combo.lightFrameColor = RGB(200, 200, 200);
    combo.darkFrameColor = RGB(180, 180, 180);
    combo.hotItemTextColor = RGB(0, 0, 0);
    combo.textColor = RGB(0, 0, 0);
    combo.setLayeredWindowAttributes = skin.setLayeredWindowAttributes;

    skin.editField.textColor = RGB(0, 0, 0);

    HeaderStyle& header = skin.header;
    header.fillColor = RGB(185, 194, 212);
    header.textColor = RGB(0, 0, 0);
    header.haloColor = RGB(200, 200, 200);
    header.elementHeight = 16;
    header.spanSourceWidth = 1;
    header.startWidth = 2;
    header.endWidth = 2;

    HScrollStyle& horizontal = skin.hScroll;
    horizontal.backgroundColor = RGB(74, 82, 107);
    horizontal.barHeight = 16;
    horizontal.leftArrowWidth = horizontal.leftArrowHeight = 16;
    horizontal.rightArrowWidth = horizontal.rightArrowHeight = 16;
    horizontal.thumbHeight = 16;
    horizontal.thumbLength = 75;
    horizontal.spanSourceWidth = 1;

    VScrollStyle& vertical = skin.vScroll;
    vertical.backgroundColor = RGB(74, 82, 107);
    vertical.barWidth = 16;
    vertical.upArrowWidth = vertical.upArrowHeight = 16;
    vertical.downArrowWidth = vertical.downArrowHeight = 16;
    vertical.bottomWidth = vertical.bottomHeight = 16;
    vertical.thumbWidth = 16;
    vertical.thumbLength = 75;
    vertical.trackSourceHeight = 1;
    vertical.trackMargin = 0;

    ListBoxStyle& listBox = skin.listBox;
    listBox.lightColor = RGB(200, 200, 200);
    listBox.darkColor = RGB(49, 66, 97);
    listBox.selectedTextColor = RGB(200, 200, 200);
    listBox.textColor = RGB(20, 20, 20);
}

}  // namespace

const SkinRecord& CurrentSkin() { return skin; }

SkinElement LoadSkinElement(const char* key, int builtInId) {
    std::string fileName;
    if (FindSkinValue(skin.skinIniPath, key, fileName)) {
        std::string path;
        const bool fits = ComposeSkinPath(skin.skinDirectory, fileName, path);
        const HBITMAP bitmap =
            fits ? static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE))
                 : nullptr;
        const SkinElement element = Measured(bitmap);
        if (element.Empty()) RefuseSkin(path);
        return element;
    }
    return Measured(
        static_cast<HBITMAP>(LoadImageA(ResourceModule(), MAKEINTRESOURCEA(builtInId), IMAGE_BITMAP, 0, 0, 0)));
}

void LoadSkin() {
    skin.skinIniPath = ReadSetting("SkinIni");
    FindSkinValue(skin.skinIniPath, "directory", skin.skinDirectory);
    const HMODULE user32 = GetModuleHandleA("USER32.DLL");
    skin.setLayeredWindowAttributes = user32 ? reinterpret_cast<LayeredWindowFunction>(reinterpret_cast<void*>(
                                                   GetProcAddress(user32, "SetLayeredWindowAttributes")))
                                             : nullptr;

    skin.combo.face = LoadSkinElement("combo_back", IDB_EDIT_BACK);
    skin.comboFore = LoadSkinElement("combo_fore", IDB_EDIT_FORE);
    skin.combo.arrow = LoadSkinElement("combo_arrow", IDB_COMBO_ARROW);
    skin.combo.dropBackground = skin.combo.itemArea = LoadSkinElement("combo_window", IDB_COMBO_WINDOW);
    skin.editField.background = LoadSkinElement("edit_back", IDB_EDIT_BACK);
    skin.editField.selection = LoadSkinElement("edit_fore", IDB_EDIT_FORE);
    skin.listBox.back = LoadSkinElement("listbox_back", IDB_COMBO_WINDOW);
    skin.listBox.fore = LoadSkinElement("listbox_fore", IDB_BACKGROUND);
    skin.header.start = LoadSkinElement("columnheader_start", IDB_COLUMNHEADER_START);
    skin.header.span = LoadSkinElement("columnheader_span", IDB_COLUMNHEADER_SPAN);
    skin.header.end = LoadSkinElement("columnheader_end", IDB_COLUMNHEADER_END);
    skin.vScroll.upArrow = LoadSkinElement("columnvert_uparrow", IDB_COLUMNVERT_UPARROW);
    skin.vScroll.span = LoadSkinElement("columnvert_span", IDB_COLUMNVERT_SPAN);
    skin.vScroll.downArrow = LoadSkinElement("columnvert_downarrow", IDB_COLUMNVERT_DOWNARROW);
    skin.vScroll.bottom = LoadSkinElement("columnvert_bottom", IDB_COLUMNVERT_BOTTOM);
    skin.vScroll.thumb = LoadSkinElement("columnvert_thumb", IDB_COLUMNVERT_THUMB);
    skin.hScroll.leftArrow = LoadSkinElement("columnhorz_leftarrow", IDB_COLUMNHORZ_LEFTARROW);
    skin.hScroll.span = LoadSkinElement("columnhorz_span", IDB_COLUMNHORZ_SPAN);
    skin.hScroll.rightArrow = LoadSkinElement("columnhorz_rightarrow", IDB_COLUMNHORZ_RIGHTARROW);
    skin.hScroll.thumb = LoadSkinElement("columnhorz_thumb", IDB_COLUMNHORZ_THUMB);
    skin.title = LoadSkinElement("title", IDB_TITLE);
    skin.background = LoadSkinElement("background", IDB_BACKGROUND);

    FillStyles();
}
