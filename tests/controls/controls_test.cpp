#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <utility>

#include "control_test_ids.h"
#include "control_test_support.h"
#include "controls/fade_picture.h"
#include "controls/segment_bar.h"
#include "controls/skin_button.h"
#include "controls/skin_edit_field.h"
#include "controls/skin_group_box.h"
#include "controls/skin_label.h"
#include "controls/skin_text.h"
#include "controls/wide_text.h"
#include "framework/dialog.h"
#include "resource_ids.h"
#include "skin/skin.h"
#include "support/gdi_count.h"

namespace {

// A name in Cyrillic and CJK, the group box's caption and the texts set.
const wchar_t kName[] = L"\u0416\u0438\u0437\u043d\u044c \u590f.mp4";

// One of each control, set up the way the program's windows set them up,
// counting what the controls report.
class CControlsDialog : public CDialog {
public:
    CControlsDialog() : CDialog(IDD_CONTROLS_TEST) {}

    CSkinButton button;
    CSkinButton checkBox;
    CSkinButton captioned;
    CSkinButton other;
    CSegmentBar segments;
    CFadePicture picture;
    CSkinLabel label;
    CSkinEditField field;
    CSkinGroupBox group;

    std::map<int, int> clicks;
    int tabChanges = 0;

protected:
    BOOL OnInitDialog() override {
        SetDlgItemTextW(Handle(), IDC_TEST_GROUP, kName);
        const std::pair<CWindow*, int> controls[] = {
            {&button, IDC_TEST_BUTTON}, {&checkBox, IDC_TEST_CHECKBOX}, {&captioned, IDC_TEST_CAPTION},
            {&other, IDC_TEST_OTHER},   {&segments, IDC_TEST_SEGMENTS}, {&picture, IDC_TEST_PICTURE},
            {&label, IDC_TEST_LABEL},   {&field, IDC_TEST_FIELD},       {&group, IDC_TEST_GROUP}};
        for (const auto& [control, id] : controls) control->SubclassDlgItem(id, Handle());

        button.SetIcons(IDI_ADD_FILE_HOVER, IDI_ADD_FILE_IDLE);
        button.SetTransparent();
        button.SetDrawBorder(false);
        button.SetAlignment(1);
        button.SetTooltipText("Add a video to converting task", true);
        checkBox.SetIcons(IDI_SHUTDOWN_CHECK_HOVER, IDI_SHUTDOWN_CHECK_IDLE);
        checkBox.SetTransparent();
        checkBox.SetAlignment(0);
        for (int tab = 0; tab < 6; ++tab) segments.AddSegment(tab, IDB_TAB_IPOD + tab);
        segments.SelectSegment(0);
        MoveWindow(segments.Handle(), 8, 90, 447, 15, FALSE);
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_COMMAND:
                if (HIWORD(wParam) == BN_CLICKED) ++clicks[LOWORD(wParam)];
                break;
            case WM_TABBAR_SELCHANGE:
                if (reinterpret_cast<HWND>(wParam) == segments.Handle()) ++tabChanges;
                return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

using ControlsTest = ShownDialogTest<CControlsDialog>;

// The hover icon shows until the mouse leaves; the tooltip says its text and
// goes with the button.
TEST_F(ControlsTest, IconButtonHoversAndTakesItsTooltipAlong) {
    const HWND button = dialog->button.Handle();
    const Pixels idle = PrintClient(button);
    POINT screen = {22, 22};
    ClientToScreen(button, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM inside = MAKELPARAM(22, 22);
    SendMessageA(button, WM_MOUSEMOVE, 0, inside);
    const Pixels hovered = PrintClient(button);
    EXPECT_NE(hovered, idle);
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(PrintClient(button), idle);

    char text[80] = {};
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = button;
    tool.uId = 1;
    tool.lpszText = text;
    const HWND tooltip = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
    ASSERT_TRUE(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0) == 1);
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Add a video to converting task");
    // The system makes the dialog the popup's owner; the button still takes it along.
    DestroyWindow(button);
    EXPECT_FALSE(IsWindow(tooltip));
}

// Clicks and double clicks each count; the dialog moves the default between
// push buttons with BM_SETSTYLE, which keeps them owner-drawn; the check box
// toggles and looks pressed while checked, and a push button has no check state.
TEST_F(ControlsTest, ButtonsCountEveryClickKeepTheirStyleAndOnlyTheCheckBoxToggles) {
    const HWND button = dialog->other.Handle();
    PostAndHandle(dialog->Handle(), {Msg(button, WM_LBUTTONDOWN, MK_LBUTTON), Msg(button, WM_LBUTTONUP),
                                     Msg(button, WM_LBUTTONDBLCLK, MK_LBUTTON), Msg(button, WM_LBUTTONUP)});
    EXPECT_EQ(dialog->clicks[IDC_TEST_OTHER], 2);
    EXPECT_EQ(GetFocus(), button);
    for (UINT type : {BS_DEFPUSHBUTTON, BS_PUSHBUTTON}) {
        SendMessageA(button, BM_SETSTYLE, type, TRUE);
        const LRESULT expected = type == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
        EXPECT_TRUE(SendMessageA(button, WM_GETDLGCODE, 0, 0) & expected) << type;
        EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & 0x1F, BS_OWNERDRAW) << type;
    }

    const HWND box = dialog->checkBox.Handle();
    const Pixels unchecked = PrintClient(box);
    Click(box, 5, 7);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    const Pixels checked = PrintClient(box);
    EXPECT_NE(checked, unchecked);
    Click(box, 5, 7);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(PrintClient(box), unchecked);
    EXPECT_EQ(dialog->clicks[IDC_TEST_CHECKBOX], 2);
    dialog->other.SetCheck(true);
    Click(button, 5, 7);
    EXPECT_FALSE(dialog->other.GetCheck());
}

TEST_F(ControlsTest, SegmentClicksReportOnlyAChangeOfSegment) {
    const HWND bar = dialog->segments.Handle();
    const Pixels first = PrintClient(bar);
    PostAndHandle(dialog->Handle(), {Msg(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2 * 74 + 10, 7))});
    EXPECT_EQ(dialog->segments.GetSelectedSegment(), 2);
    EXPECT_EQ(dialog->tabChanges, 1);
    EXPECT_NE(PrintClient(bar), first);

    // Which segment a point hits (none beyond the last) is tested natively.
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2 * 74 + 60, 7));  // the same segment
    dialog->segments.SelectSegment(6);                                          // no such segment
    EXPECT_EQ(dialog->segments.GetSelectedSegment(), 2);
    dialog->segments.SelectSegment(0);  // the program's own choice reports nothing
    EXPECT_EQ(dialog->tabChanges, 1);
    EXPECT_EQ(dialog->clicks[IDC_TEST_SEGMENTS], 0);
}

// How the finished fade looks is in the screenshots.
TEST_F(ControlsTest, FadeEndsAndStopsWhenDestroyed) {
    CFadePicture& picture = dialog->picture;
    EXPECT_FALSE(picture.StartFade(9999, 0));
    ASSERT_TRUE(picture.StartFade(IDB_FADE_PICTURE, 0));
    ASSERT_TRUE(PumpUntil([&] { return picture.FadeFinished(); }));

    // A slow fade is stopped, not waited out, when the window goes.
    ASSERT_TRUE(picture.StartFade(IDB_FADE_PICTURE, 60000));
    DestroyWindow(dialog->Handle());
    EXPECT_FALSE(picture.FadeFinished());
}

// Each control draws a text in any script as the wide call does (the same
// ink of its text colour; the group box draws its caption itself); a label
// given a shorter text leaves nothing of the longer one.
TEST_F(ControlsTest, TextsInAnyScriptShowAsWrittenAndNothingOfAnEarlierText) {
    SetWindowTextW(dialog->label.Handle(), kName);
    dialog->field.SetFieldText(ToUtf8(kName).c_str());
    const CFontHandle skinFont = MakeSkinTextFont();
    const HFONT fieldFont = reinterpret_cast<HFONT>(SendMessageA(dialog->field.Handle(), WM_GETFONT, 0, 0));
    const std::tuple<HWND, HFONT, COLORREF> drawn[] = {
        {dialog->label.Handle(), skinFont.Get(), RGB(0, 0, 0)},
        {dialog->group.Handle(), skinFont.Get(), RGB(0, 0, 0)},
        {dialog->field.Handle(), fieldFont, CurrentSkin().editField.textColor}};
    for (const auto& [window, font, ink] : drawn) {
        EXPECT_EQ(InkOf(ScreenPixels(window), ink), WideTextInk(font, kName, ink)) << GetDlgCtrlID(window);
    }
    SetWindowTextA(dialog->label.Handle(), "ab");
    EXPECT_EQ(InkOf(ScreenPixels(dialog->label.Handle()), RGB(0, 0, 0)),
              WideTextInk(skinFont.Get(), L"ab", RGB(0, 0, 0)));
}

// Everything a control creates goes again with it: icons, masks, the
// background cache, fonts, tooltips, the fade's bitmap and DCs.
TEST(ControlsResources, GdiObjectsComeBackAfterEveryControlIsDestroyed) {
    // The system keeps a cache of window DCs that grows when two threads draw
    // at once; so the mouse stays away and the window is painted before the
    // fade's worker draws, to count only what the controls make.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    auto cycle = [] {
        CControlsDialog dialog;
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        dialog.field.SetFieldText("C:\\Videos\\");
        SetWindowTextA(dialog.label.Handle(), "two\nlines");
        RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ASSERT_TRUE(dialog.picture.StartFade(IDB_FADE_PICTURE, 0));
        ASSERT_TRUE(PumpUntil([&] { return dialog.picture.FadeFinished(); }));
        EnableWindow(dialog.button.Handle(), FALSE);
        for (HWND control : {dialog.button.Handle(), dialog.checkBox.Handle(), dialog.captioned.Handle(),
                             dialog.segments.Handle(), dialog.field.Handle()}) {
            PrintClient(control);
        }
        ScreenPixels(dialog.Handle());
        DestroyWindow(dialog.Handle());
    };
    EXPECT_EQ(GdiObjectsLeftBy(cycle), 0);
}

}  // namespace
