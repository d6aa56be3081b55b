#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "controls/skin_label.h"
#include "controls/skin_message_box.h"
#include "resource_ids.h"
#include "support/gdi_count.h"
#include "support/poll.h"
#include "support/window_watch.h"

namespace {

// What the user does once the box is up: a button pressed, a key, or the
// window closed.
using Action = std::function<void(HWND box)>;
Action Press(int id) {
    return [id](HWND box) { SendMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0); };
}
Action Key(WPARAM code) {
    return [code](HWND box) {
        const HWND target = GetFocus() ? GetFocus() : box;
        PostMessageA(target, WM_KEYDOWN, code, 1);
        PostMessageA(target, WM_KEYUP, code, 0xC0000001);
    };
}
void CloseBox(HWND box) { SendMessageA(box, WM_CLOSE, 0, 0); }

// Runs SkinMessageBox; once its loop runs with the box shown, inspect() looks
// at it and the action is taken as the user would.
int ShowBox(unsigned type, Action action, const char* text = "Please set the output directory firstly",
            const std::function<void(HWND)>& inspect = {}) {
    const Poll act(10, [&] {
        const HWND box = GetActiveWindow();
        if (!IsShownDialog(box)) return false;
        if (inspect) inspect(box);
        action(box);
        return true;
    });
    return SkinMessageBox(text, "", type);
}

// Which result each button code gives is tested natively; here, that every way
// out of the box reaches it, and that a box leaves no GDI objects behind.
TEST(SkinMessageBox, EveryWayOutAcceptsOrDeclinesAndLeavesNoGdiObjects) {
    const auto everyWayOut = [] {
        const Action actions[] = {Press(IDOK),    Press(IDCANCEL),          Key(VK_RETURN),
                                  Key(VK_ESCAPE), Press(IDC_MESSAGE_CLOSE), CloseBox};
        const int yesNo[] = {IDYES, IDNO, IDYES, IDNO, IDNO, IDNO};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(ShowBox(4, actions[i]), yesNo[i]) << "action " << i;
        // Buttons the box does not have (retry and cancel) give a single OK,
        // which still answers Escape with Cancel.
        EXPECT_EQ(ShowBox(MB_ICONERROR | MB_RETRYCANCEL, Key(VK_RETURN)), IDOK);
        EXPECT_EQ(ShowBox(MB_ICONERROR | MB_RETRYCANCEL, Key(VK_ESCAPE)), IDCANCEL);
    };
    EXPECT_EQ(GdiObjectsLeftBy(everyWayOut), 0);
}

std::string LabelText(HWND box, int id) {
    const auto* label = dynamic_cast<const CSkinLabel*>(CWindow::FromHandle(GetDlgItem(box, id)));
    return label ? label->Text() : "(not a skinned label)";
}

// The layout's numbers are checked without a window, and the screenshots show
// every kind of box; here, that the box takes its texts and buttons.
TEST(SkinMessageBox, TakesItsTitleAndButtonsFromTheTextAndType) {
    const auto oneLine = [](HWND box) {
        EXPECT_EQ(LabelText(box, IDC_MESSAGE_TITLE), "Error");
        EXPECT_EQ(LabelText(box, IDC_MESSAGE_TEXT), "Done");
        char ok[8] = {};
        GetDlgItemTextA(box, IDOK, ok, sizeof ok);
        EXPECT_STREQ(ok, "OK");
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(box, IDCANCEL)));
    };
    EXPECT_EQ(ShowBox(16, Press(IDOK), "Done", oneLine), IDOK);
}

}  // namespace
