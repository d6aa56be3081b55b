#pragma once

#include <windows.h>

#include <string>

#include "common/windows_text.h"

// The program keeps its texts in UTF-8; the system shows them in UTF-16. Every
// text a control draws or hands to the system for showing passes through here,
// so that names in any script come out as written (ToWide and ToUtf8 convert).

// A window's text, read through the wide call, in UTF-8.
std::string WindowTextOf(HWND hwnd);
// Sets a window's text from UTF-8 through the wide call.
void SetWindowTextOf(HWND hwnd, const std::string& utf8);

// A text in the ANSI code page, as the system's controls hand texts to ANSI callers.
std::string ToAnsi(const std::string& utf8);

// Answers WM_GETTEXT or WM_GETTEXTLENGTH (message, wParam, lParam as the
// window received them) with the text a control shows, in the window's own
// form: wide for a Unicode window, the ANSI code page otherwise (the system
// converts for callers of the other form). WM_GETTEXT cuts the text to the
// buffer, with its end, and answers the characters copied.
LRESULT AnswerTextRequest(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const std::string& utf8);

// The text calls the controls draw with, taking UTF-8.
int DrawUtf8(HDC dc, const std::string& text, RECT* rect, UINT format);
void TextOutUtf8(HDC dc, int x, int y, const std::string& text);
SIZE Utf8Extent(HDC dc, const std::string& text);
