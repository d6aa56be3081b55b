#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "controls/skin_label.h"
#include "controls/skin_message_box.h"
#include "resource_ids.h"
#include "support/gdi_count.h"

namespace {

// What the user does once the box is up.
enum class Action { kFirstButton, kSecondButton, kCloseButton, kEnter, kEscape, kClose };

// The message box of this thread that is showing, or null.
HWND ShownMessageBox() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs SkinMessageBox; once its loop is idle with the box shown, inspect()
// looks at it and the action is taken as the user would.
struct Scenario {
    Action action = Action::kFirstButton;
    std::function<void(HWND)> inspect;
};
Scenario* current = nullptr;

void CALLBACK ActOnBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND box = ShownMessageBox();
    if (!box) return;
    if (current->inspect) current->inspect(box);
    auto key = [&](WPARAM code) {
        const HWND focus = GetFocus();
        PostMessageA(focus ? focus : box, WM_KEYDOWN, code, 1);
        PostMessageA(focus ? focus : box, WM_KEYUP, code, 0xC0000001);
    };
    switch (current->action) {
        case Action::kFirstButton:
            SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            break;
        case Action::kSecondButton:
            SendMessageA(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
            break;
        case Action::kCloseButton:
            SendMessageA(GetDlgItem(box, IDC_MESSAGE_CLOSE), BM_CLICK, 0, 0);
            break;
        case Action::kEnter:
            key(VK_RETURN);
            break;
        case Action::kEscape:
            key(VK_ESCAPE);
            break;
        case Action::kClose:
            SendMessageA(box, WM_CLOSE, 0, 0);
            break;
    }
}

int ShowBox(const char* text, const char* caption, unsigned type, Scenario scenario) {
    current = &scenario;
    // A timer fires only when the box's loop has nothing else to do.
    SetTimer(nullptr, 0, 0, ActOnBox);
    const int result = SkinMessageBox(text, caption, type);
    current = nullptr;
    return result;
}

int ShowBox(unsigned type, Action action) {
    return ShowBox("Please set the output directory firstly", "", type, {action, {}});
}

// Which result each button code gives is tested natively; here, that every way
// out of the box reaches it.
TEST(SkinMessageBox, EveryWayOutAcceptsOrDeclines) {
    const Action actions[] = {Action::kFirstButton, Action::kSecondButton, Action::kEnter,
                              Action::kEscape,      Action::kCloseButton,  Action::kClose};
    const int yesNo[] = {IDYES, IDNO, IDYES, IDNO, IDNO, IDNO};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ShowBox(4, actions[i]), yesNo[i]) << "action " << i;
    // A single OK still answers Escape with Cancel.
    EXPECT_EQ(ShowBox(0, Action::kEnter), IDOK);
    EXPECT_EQ(ShowBox(0, Action::kEscape), IDCANCEL);
}

std::string LabelText(HWND box, int id) {
    const auto* label = dynamic_cast<const CSkinLabel*>(CWindow::FromHandle(GetDlgItem(box, id)));
    return label ? label->Text() : "(not a skinned label)";
}

std::string WindowText(HWND window) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The layout's numbers are checked without a window; here, that the box
// takes them: size, place, texts and buttons.
TEST(SkinMessageBox, TakesItsLayoutTitleAndButtonsFromTheTextAndType) {
    int oneLineHeight = 0;
    Scenario oneLine;
    oneLine.inspect = [&](HWND box) {
        RECT rect = {};
        GetWindowRect(box, &rect);
        oneLineHeight = rect.bottom - rect.top;
        EXPECT_EQ(rect.right - rect.left, 180);
        EXPECT_NEAR((rect.left + rect.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
        EXPECT_NEAR((rect.top + rect.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
        EXPECT_EQ(LabelText(box, IDC_MESSAGE_TITLE), "Error");
        EXPECT_EQ(LabelText(box, IDC_MESSAGE_TEXT), "Done");
        EXPECT_EQ(WindowText(GetDlgItem(box, IDOK)), "OK");
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(box, IDCANCEL)));
        EXPECT_EQ(SendMessageA(box, WM_NCHITTEST, 0, MAKELPARAM(rect.left + 60, rect.top + 40)), HTCAPTION);
    };
    EXPECT_EQ(ShowBox("Done", "", 16, oneLine), IDOK);

    Scenario threeLines;
    threeLines.action = Action::kSecondButton;
    threeLines.inspect = [&](HWND box) {
        RECT rect = {};
        GetWindowRect(box, &rect);
        EXPECT_GT(rect.bottom - rect.top, oneLineHeight + 20);
        EXPECT_GT(rect.right - rect.left, 180);
        EXPECT_EQ(LabelText(box, IDC_MESSAGE_TITLE), "Question");
        EXPECT_EQ(WindowText(GetDlgItem(box, IDOK)), "Yes");
        EXPECT_EQ(WindowText(GetDlgItem(box, IDCANCEL)), "No");
    };
    EXPECT_EQ(ShowBox("First\nA much, much longer second line of the message\nthird", "Question", 0x24, threeLines),
              IDNO);
}

TEST(SkinMessageBox, LeavesNoGdiObjectsBehind) {
    auto cycle = [] {
        ShowBox(16, Action::kEscape);
        ShowBox(4, Action::kSecondButton);
    };
    cycle();  // loads the message icons, kept for the process, and warms the system's caches
    const int before = CountGdiObjects();
    cycle();
    EXPECT_EQ(CountGdiObjects(), before);
}

}  // namespace
