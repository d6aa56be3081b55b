#include "controls/wide_text.h"

#include <algorithm>

namespace {

template <class Char>
LRESULT Answer(UINT message, WPARAM size, Char* buffer, const std::basic_string<Char>& text) {
    if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
    if (size == 0 || !buffer) return 0;
    const size_t length = std::min(text.size(), static_cast<size_t>(size) - 1);
    text.copy(buffer, length);
    buffer[length] = Char();
    return static_cast<LRESULT>(length);
}

}  // namespace

std::string WindowTextOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size()))));
    return ToUtf8(text);
}

void SetWindowTextOf(HWND hwnd, const std::string& utf8) { SetWindowTextW(hwnd, ToWide(utf8).c_str()); }

std::string ToAnsi(const std::string& utf8) {
    const std::wstring wide = ToWide(utf8);
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), size, &ansi[0], length, nullptr, nullptr);
    return ansi;
}

LRESULT AnswerTextRequest(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const std::string& utf8) {
    if (IsWindowUnicode(hwnd)) return Answer(message, wParam, reinterpret_cast<wchar_t*>(lParam), ToWide(utf8));
    return Answer(message, wParam, reinterpret_cast<char*>(lParam), ToAnsi(utf8));
}

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
