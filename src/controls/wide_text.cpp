#include "controls/wide_text.h"

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &wide[0], length);
    return wide;
}

std::string Narrow(const wchar_t* wide) {
    if (!wide || !*wide) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], size, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(size) - 1);
    return utf8;
}

std::string WindowTextOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size()))));
    return Narrow(text.c_str());
}

void SetWindowTextOf(HWND hwnd, const std::string& utf8) { SetWindowTextW(hwnd, Widen(utf8).c_str()); }

int DrawUtf8(HDC dc, const std::string& text, RECT* rect, UINT format) {
    const std::wstring wide = Widen(text);
    return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), rect, format);
}

void TextOutUtf8(HDC dc, int x, int y, const std::string& text) {
    const std::wstring wide = Widen(text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

SIZE Utf8Extent(HDC dc, const std::string& text) {
    const std::wstring wide = Widen(text);
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}
