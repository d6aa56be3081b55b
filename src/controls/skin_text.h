#pragma once

#include <windows.h>

#include <string>

#include "framework/gdi.h"

// The texts of the skinned controls: bold 12-pixel "Tahoma", and for buttons
// an embossed look (a light copy, then the text itself a pixel up and left).

constexpr int kSkinTextHeight = 12;

inline CFontHandle MakeSkinTextFont(int height = kSkinTextHeight) { return MakeFont("Tahoma", height, FW_BOLD); }

// The light copy's colour under embossed texts.
constexpr COLORREF kEmbossLight = RGB(200, 200, 200);

// Draws text into rect with DrawText's format: the light copy at rect, then
// the text in its colour one pixel up and one pixel left. The DC's background
// mode is left to the caller.
inline void DrawEmbossedText(HDC dc, const std::wstring& text, const RECT& rect, UINT format, COLORREF color) {
    RECT place = rect;
    SetTextColor(dc, kEmbossLight);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, format);
    OffsetRect(&place, -1, -1);
    SetTextColor(dc, color);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, format);
}
