#include "controls/wide_text.h"

std::string WindowTextOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size()))));
    return ToUtf8(text);
}

void SetWindowTextOf(HWND hwnd, const std::string& utf8) { SetWindowTextW(hwnd, ToWide(utf8).c_str()); }

int DrawUtf8(HDC dc, const std::string& text, RECT* rect, UINT format) {
    const std::wstring wide = ToWide(text);
    return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), rect, format);
}

void TextOutUtf8(HDC dc, int x, int y, const std::string& text) {
    const std::wstring wide = ToWide(text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

SIZE Utf8Extent(HDC dc, const std::string& text) {
    const std::wstring wide = ToWide(text);
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}
