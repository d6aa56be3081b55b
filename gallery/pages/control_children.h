#pragma once

#include <windows.h>

// A visible child control of a gallery page. Each gets an id of its own:
// owner-drawn items with id 0 would be taken for menu items.
inline HWND AddChild(HWND page, const char* className, const char* text, DWORD style, int x, int y, int width,
                     int height) {
    static int lastId = 100;
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, page,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(++lastId)), GetModuleHandleA(nullptr), nullptr);
}

// Labels and the group box draw over the parent's background, as they do in
// a dialog, which does not clip its children.
inline void PaintUnderChildren(HWND page) {
    SetWindowLongPtrA(page, GWL_STYLE, GetWindowLongPtrA(page, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CLIPCHILDREN));
}
