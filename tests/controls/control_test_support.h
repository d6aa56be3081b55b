#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/message_pump.h"

// Pixels of a control, read back as 32-bit colours, for tests that check how a
// control looks.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> data;  // 0x00RRGGBB, top row first

    COLORREF At(int x, int y) const;
    bool operator==(const Pixels& other) const {
        return width == other.width && height == other.height && data == other.data;
    }
    bool operator!=(const Pixels& other) const { return !(*this == other); }
};

// The ink of a colour in a part of a picture (all of it when the part is
// empty): the width of the smallest part holding every pixel of that colour,
// and how many there are; with `under`, only pixels that have that colour
// there and not in `under` count. Equal ink is the same text in the same font.
std::pair<int, int> InkOf(const Pixels& pixels, COLORREF ink, RECT part = {}, const Pixels* under = nullptr);

// The ink of a text as the wide call draws it in the font and colour.
std::pair<int, int> WideTextInk(HFONT font, const std::wstring& text, COLORREF ink);

// What a control paints when asked to print its client area into a memory DC.
Pixels PrintClient(HWND window);

// What draw paints into a memory DC of the given size.
Pixels DrawnPixels(int width, int height, const std::function<void(HDC)>& draw);

// What a window shows on the screen right now, after pending paints are done.
Pixels ScreenPixels(HWND window);

// A message as the system posts it.
inline MSG Msg(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return MSG{window, message, wParam, lParam, 0, {}};
}

// A left click at a point of a control, handled with what it posts in turn
// (the notifications).
void Click(HWND window, int x, int y);

// A test over a modeless dialog of the given class, shown and painted before
// each case and destroyed after it.
template <class Dialog>
class ShownDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog->CreateModeless(nullptr));
        ShowWindow(dialog->Handle(), SW_SHOW);
        UpdateWindow(dialog->Handle());
    }
    void TearDown() override {
        if (dialog->Handle()) DestroyWindow(dialog->Handle());
    }

    std::unique_ptr<Dialog> dialog = std::make_unique<Dialog>();
};
