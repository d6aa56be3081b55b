#pragma once

#include <windows.h>

#include <string>

// The process-wide skin: the element bitmaps and the style record of every
// skinned control family. LoadSkin() fills it once, before any window or
// skinned control exists; each control copies its family's record when it is
// constructed, so a control made before LoadSkin() gets empty records. The
// bitmaps live until the process ends and are never freed.

// One bitmap of the skin, with its size measured at load time. A missing
// built-in resource or a zero-size bitmap gives an empty element, which the
// controls never draw.
struct SkinElement {
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
    bool Empty() const { return !bitmap || width <= 0 || height <= 0; }
};

// SetLayeredWindowAttributes, where the system has it.
using LayeredWindowFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

struct ComboStyle {
    COLORREF lightFrameColor = 0;
    COLORREF darkFrameColor = 0;
    COLORREF hotItemTextColor = 0;
    COLORREF textColor = 0;
    SkinElement face;            // "combo_back"
    SkinElement itemArea;        // "combo_window"
    SkinElement arrow;           // "combo_arrow"
    SkinElement dropBackground;  // "combo_window" too
    LayeredWindowFunction setLayeredWindowAttributes = nullptr;
};

struct EditFieldStyle {
    SkinElement background;  // "edit_back"
    SkinElement selection;   // "edit_fore"
    COLORREF textColor = 0;
};

struct HeaderStyle {
    COLORREF fillColor = 0;
    COLORREF textColor = 0;
    COLORREF haloColor = 0;
    int elementHeight = 0;
    int spanSourceWidth = 0;
    int startWidth = 0;
    int endWidth = 0;
    SkinElement start;  // "columnheader_start"
    SkinElement span;   // "columnheader_span"
    SkinElement end;    // "columnheader_end"
};

struct HScrollStyle {
    COLORREF backgroundColor = 0;
    int barHeight = 0;
    int leftArrowWidth = 0;
    int leftArrowHeight = 0;
    int rightArrowWidth = 0;
    int rightArrowHeight = 0;
    int thumbLength = 0;
    int thumbHeight = 0;
    int spanSourceWidth = 0;
    SkinElement leftArrow;   // "columnhorz_leftarrow"
    SkinElement span;        // "columnhorz_span"
    SkinElement rightArrow;  // "columnhorz_rightarrow"
    SkinElement thumb;       // "columnhorz_thumb"
};

struct VScrollStyle {
    COLORREF backgroundColor = 0;
    int barWidth = 0;
    int upArrowWidth = 0;
    int upArrowHeight = 0;
    int downArrowWidth = 0;
    int downArrowHeight = 0;
    int bottomWidth = 0;
    int bottomHeight = 0;
    int thumbWidth = 0;
    int thumbLength = 0;
    int trackSourceHeight = 0;
    int trackMargin = 0;
    SkinElement upArrow;    // "columnvert_uparrow"
    SkinElement span;       // "columnvert_span"
    SkinElement downArrow;  // "columnvert_downarrow"
    SkinElement bottom;     // "columnvert_bottom"
    SkinElement thumb;      // "columnvert_thumb"
};

struct ListBoxStyle {
    COLORREF lightColor = 0;
    COLORREF darkColor = 0;
    COLORREF selectedTextColor = 0;
    COLORREF textColor = 0;
    SkinElement back;  // "listbox_back"
    SkinElement fore;  // "listbox_fore"
};

struct SkinRecord {
    std::string skinIniPath;    // from the registry value "SkinIni", or empty
    std::string skinDirectory;  // the skin's "directory", or empty
    SkinElement title;          // title strip of skinned dialogs
    SkinElement background;     // background tile of skinned dialogs
    SkinElement comboFore;      // "combo_fore": loaded (a named, missing file is fatal), used by no control
    LayeredWindowFunction setLayeredWindowAttributes = nullptr;
    ComboStyle combo;
    EditFieldStyle editField;
    HeaderStyle header;
    HScrollStyle hScroll;
    VScrollStyle vScroll;
    ListBoxStyle listBox;
};

// The skin as LoadSkin() left it.
const SkinRecord& CurrentSkin();

// Finds the skin named by the registry value "SkinIni" and loads every element
// from the skin's directory or, when the skin does not name it, from the
// built-in bitmap. Does not return when the skin names an element that cannot
// be loaded: the user is told, "SkinIni" is emptied and the process ends with
// exit code 0, so that the next start uses the built-in look.
void LoadSkin();

// One element: from the skin's file when the current skin names the key,
// else the built-in bitmap resource (empty when that is missing). Does not
// return when the named file cannot be loaded.
SkinElement LoadSkinElement(const char* key, int builtInId);

// A region of every pixel of the bitmap whose colour is not within the
// tolerance (per channel, above the key) of the key colour; null when the
// bitmap is null or cannot be read. The caller owns the region (or the window
// does, once given to SetWindowRgn).
HRGN BitmapToRegion(HBITMAP bitmap, COLORREF keyColor, COLORREF tolerance);

// Paints a skinned dialog's client area: the background element tiled down
// and stretched across, the title strip across the top, and a raised frame.
void DrawSkinBackground(HWND window, HDC dc);
