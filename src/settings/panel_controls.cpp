#include "settings/panel_controls.h"

int ComboCount(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0)); }

int ComboSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

void ComboSelect(HWND combo, int item) {
    if (item < 0 || item >= ComboCount(combo)) return;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

void ComboFill(HWND combo, const char* const* texts, int count) {
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
}
