#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "control_test_support.h"
#include "controls/fade_picture.h"
#include "controls/segment_bar.h"
#include "controls/skin_button.h"
#include "controls/skin_edit_field.h"
#include "controls/skin_group_box.h"
#include "controls/skin_label.h"
#include "controls_test_ids.h"
#include "framework/dialog.h"
#include "resource_ids.h"
#include "support/gdi_count.h"

namespace {

constexpr COLORREF kCaptionColor = RGB(255, 0, 0);

// One of each control on a background pattern, set up the way the program's
// windows set them up, counting what the controls report.
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
    CSkinLabel centredLabel;
    CSkinEditField field;
    CSkinGroupBox group;

    std::map<int, int> clicks;
    int tabChanges = 0;

    HWND Item(int id) const { return GetDlgItem(Handle(), id); }

protected:
    BOOL OnInitDialog() override {
        const HWND dialog = Handle();
        button.SubclassDlgItem(IDC_TEST_BUTTON, dialog);
        checkBox.SubclassDlgItem(IDC_TEST_CHECKBOX, dialog);
        captioned.SubclassDlgItem(IDC_TEST_CAPTION, dialog);
        other.SubclassDlgItem(IDC_TEST_OTHER, dialog);
        segments.SubclassDlgItem(IDC_TEST_SEGMENTS, dialog);
        picture.SubclassDlgItem(IDC_TEST_PICTURE, dialog);
        label.SubclassDlgItem(IDC_TEST_LABEL, dialog);
        centredLabel.SubclassDlgItem(IDC_TEST_CENTRED_LABEL, dialog);
        field.SubclassDlgItem(IDC_TEST_FIELD, dialog);
        group.SubclassDlgItem(IDC_TEST_GROUP, dialog);

        button.SetIcons(IDI_ADD_FILE_HOVER, IDI_ADD_FILE_IDLE);
        button.SetTransparent();
        button.SetDrawBorder(false);
        button.SetAlignment(1);
        button.SetTooltipText("Add a video to converting task", true);
        checkBox.SetIcons(IDI_SHUTDOWN_CHECK_HOVER, IDI_SHUTDOWN_CHECK_IDLE);
        checkBox.SetTransparent();
        checkBox.SetAlignment(0);
        captioned.SetStateColor(CSkinButton::kIdleText, kCaptionColor);
        captioned.SetStateColor(CSkinButton::kFocusText, kCaptionColor);
        for (int tab = 0; tab < 6; ++tab) segments.AddSegment(tab, IDB_TAB_IPOD + tab);
        segments.SelectSegment(0);
        MoveWindow(segments.Handle(), 8, 90, 447, 15, FALSE);
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_ERASEBKGND:
                PaintPattern(Handle(), reinterpret_cast<HDC>(wParam));
                return TRUE;
            case WM_COMMAND:
                if (HIWORD(wParam) == BN_CLICKED) ++clicks[LOWORD(wParam)];
                break;
            case WM_TABBAR_SELCHANGE:
                if (reinterpret_cast<HWND>(wParam) == segments.Handle()) ++tabChanges;
                return 0;
            case kMarker:
                MarkerSeen();
                return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<CControlsDialog>();
        ASSERT_TRUE(dialog->CreateModeless(nullptr));
        ShowWindow(dialog->Handle(), SW_SHOW);
        UpdateWindow(dialog->Handle());
    }
    void TearDown() override {
        if (dialog && dialog->Handle()) DestroyWindow(dialog->Handle());
        dialog.reset();
    }

    // Mouse messages as the system posts them, at a point of the control.
    static MSG Mouse(HWND window, UINT message, int x, int y, WPARAM keys = 0) {
        return MSG{window, message, keys, MAKELPARAM(x, y), 0, {}};
    }
    void Click(HWND window, int x = 5, int y = 5) {
        PostAndHandle(dialog->Handle(),
                      {Mouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON), Mouse(window, WM_LBUTTONUP, x, y)});
    }
    static POINT CentreOf(HWND window) {
        RECT rect = {};
        GetClientRect(window, &rect);
        return {rect.right / 2, rect.bottom / 2};
    }

    std::unique_ptr<CControlsDialog> dialog;
};

TEST_F(ControlsTest, HoverShowsTheHoverIconUntilTheMouseLeaves) {
    const HWND button = dialog->button.Handle();
    const Pixels idle = PrintClient(button);
    const POINT centre = CentreOf(button);
    POINT screen = centre;
    ClientToScreen(button, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    const Pixels hovered = PrintClient(button);
    EXPECT_NE(hovered, idle);

    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(PrintClient(button), idle);

    // A move seen outside the button (the mouse captured elsewhere) ends the hover too.
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(PrintClient(button), hovered);
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(-200, -200));
    EXPECT_EQ(PrintClient(button), idle);

    // Dragging onto the button with the left button down does not hover it.
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(PrintClient(button), idle);
}

// The tooltip window of this thread whose tool is the given control, or null.
HWND TooltipOf(HWND control) {
    struct Search {
        HWND control;
        HWND found;
    } search = {control, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* search = reinterpret_cast<Search*>(lParam);
            char className[32] = {};
            GetClassNameA(window, className, sizeof className);
            TOOLINFOA tool = {};
            tool.cbSize = sizeof tool;
            if (std::string(className) != TOOLTIPS_CLASSA ||
                !SendMessageA(window, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)) ||
                tool.hwnd != search->control) {
                return TRUE;
            }
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(ControlsTest, TooltipShowsItsTextAndGoesWithTheButton) {
    const HWND button = dialog->button.Handle();
    const HWND tooltip = TooltipOf(button);
    ASSERT_NE(tooltip, nullptr);
    char text[80] = {};
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = button;
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Add a video to converting task");

    dialog->button.SetTooltipText("Another text", true);
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Another text");
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);

    // The system makes the dialog the popup's owner; the button still takes it along.
    DestroyWindow(button);
    EXPECT_FALSE(IsWindow(tooltip));
}

TEST_F(ControlsTest, TransparentButtonShowsTheParentsPixelsAroundItsIcon) {
    const HWND button = dialog->button.Handle();
    RECT place = {};
    GetWindowRect(button, &place);
    MapWindowPoints(nullptr, dialog->Handle(), reinterpret_cast<POINT*>(&place), 2);
    const Pixels pixels = PrintClient(button);
    ASSERT_GT(pixels.width, 0);
    // The corners lie outside the centred 32 x 32 icon.
    for (POINT corner : {POINT{0, 0}, POINT{pixels.width - 1, 0}, POINT{0, pixels.height - 1},
                         POINT{pixels.width - 1, pixels.height - 1}}) {
        EXPECT_EQ(pixels.At(corner.x, corner.y), PatternAt(place.left + corner.x, place.top + corner.y))
            << corner.x << "," << corner.y;
    }
    int parentPixels = 0;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x)
            parentPixels += pixels.At(x, y) == PatternAt(place.left + x, place.top + y);
    }
    EXPECT_LT(parentPixels, pixels.width * pixels.height);  // the icon covers some of them
}

// Near the light copy's RGB(200, 200, 200), or the red text: smoothed edges
// of the glyphs blend with what lies under them.
bool Light(COLORREF color) {
    const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    return r >= 180 && r <= 220 && std::abs(r - g) <= 10 && std::abs(g - b) <= 10;
}
bool Reddish(COLORREF color) { return GetRValue(color) > 150 && GetGValue(color) < 100 && GetBValue(color) < 100; }

TEST_F(ControlsTest, CaptionIsEmbossedAndGreyedWhenDisabled) {
    const HWND button = dialog->captioned.Handle();
    Pixels pixels = PrintClient(button);
    EXPECT_GT(pixels.Count(kCaptionColor), 10);
    // The light copy shows below and right of the text, not above and left.
    int lightBelowRight = 0;
    int lightAboveLeft = 0;
    for (int y = 1; y + 1 < pixels.height; ++y) {
        for (int x = 1; x + 1 < pixels.width; ++x) {
            if (!Reddish(pixels.At(x, y))) continue;
            lightBelowRight += Light(pixels.At(x + 1, y + 1));
            lightAboveLeft += Light(pixels.At(x - 1, y - 1));
        }
    }
    EXPECT_GT(lightBelowRight, 5);
    EXPECT_GT(lightBelowRight, 3 * lightAboveLeft) << lightAboveLeft;

    EnableWindow(button, FALSE);
    pixels = PrintClient(button);
    EXPECT_EQ(pixels.Count(kCaptionColor), 0);
    EXPECT_GT(pixels.Count(GetSysColor(COLOR_3DSHADOW)), 10);
}

TEST_F(ControlsTest, ClicksAndDoubleClicksEachCount) {
    const HWND button = dialog->other.Handle();
    Click(button);
    EXPECT_EQ(dialog->clicks[IDC_TEST_OTHER], 1);
    EXPECT_EQ(GetFocus(), button);
    PostAndHandle(dialog->Handle(),
                  {Mouse(button, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON), Mouse(button, WM_LBUTTONUP, 5, 5),
                   Mouse(button, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON), Mouse(button, WM_LBUTTONUP, 5, 5)});
    EXPECT_EQ(dialog->clicks[IDC_TEST_OTHER], 3);
}

TEST_F(ControlsTest, CheckBoxTogglesAndLooksPressedWhileChecked) {
    const HWND box = dialog->checkBox.Handle();
    EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & 0x1F, BS_OWNERDRAW);
    const Pixels unchecked = PrintClient(box);
    Click(box);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(dialog->checkBox.GetCheck());
    const Pixels checked = PrintClient(box);
    EXPECT_NE(checked, unchecked);
    Click(box);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(PrintClient(box), unchecked);
    EXPECT_EQ(dialog->clicks[IDC_TEST_CHECKBOX], 2);

    SendMessageA(box, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(PrintClient(box), checked);
    SendMessageA(box, BM_SETCHECK, 7, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // A push button has no check state to set or toggle.
    dialog->other.SetCheck(true);
    Click(dialog->other.Handle());
    EXPECT_FALSE(dialog->other.GetCheck());
}

TEST_F(ControlsTest, SetStyleMovesTheDefaultAndKeepsTheButtonOwnerDrawn) {
    const HWND button = dialog->other.Handle();
    EXPECT_TRUE(SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);
    SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & 0x1F, BS_OWNERDRAW);
    SendMessageA(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_TRUE(SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & 0x1F, BS_OWNERDRAW);
}

TEST_F(ControlsTest, DisablingTheFocusedButtonMovesTheFocusOnOnly) {
    const HWND checkBox = dialog->checkBox.Handle();
    const HWND captioned = dialog->captioned.Handle();
    SetFocus(checkBox);
    EnableWindow(checkBox, FALSE);
    EXPECT_EQ(GetFocus(), GetNextDlgTabItem(dialog->Handle(), checkBox, FALSE));
    EXPECT_NE(GetFocus(), checkBox);

    // The focus elsewhere stays where it is.
    SetFocus(dialog->other.Handle());
    EnableWindow(captioned, FALSE);
    EXPECT_EQ(GetFocus(), dialog->other.Handle());
}

TEST_F(ControlsTest, SegmentClicksReportOnlyAChangeOfSegment) {
    const HWND bar = dialog->segments.Handle();
    const Pixels first = PrintClient(bar);
    PostAndHandle(dialog->Handle(), {Mouse(bar, WM_LBUTTONDOWN, 2 * 74 + 10, 7, MK_LBUTTON)});
    EXPECT_EQ(dialog->segments.GetSelectedSegment(), 2);
    EXPECT_EQ(dialog->tabChanges, 1);
    EXPECT_NE(PrintClient(bar), first);

    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2 * 74 + 60, 7));  // the same segment
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(445, 7));          // the leftover beyond the last
    EXPECT_EQ(dialog->tabChanges, 1);
    EXPECT_EQ(dialog->segments.GetSelectedSegment(), 2);
    EXPECT_EQ(dialog->clicks[IDC_TEST_SEGMENTS], 0);

    dialog->segments.SelectSegment(6);  // no such segment
    EXPECT_EQ(dialog->segments.GetSelectedSegment(), 2);
    dialog->segments.SelectSegment(0);  // the program's own choice reports nothing
    EXPECT_EQ(dialog->tabChanges, 1);

    MoveWindow(bar, 8, 90, 5, 15, FALSE);  // narrower than its six segments
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 7));
    EXPECT_EQ(dialog->tabChanges, 1);
    EXPECT_EQ(dialog->segments.GetSelectedSegment(), 0);
}

TEST_F(ControlsTest, FadeEndsShowingTheBitmapAndStopsWhenDestroyed) {
    CFadePicture& picture = dialog->picture;
    EXPECT_FALSE(picture.StartFade(9999, 0));
    ASSERT_TRUE(picture.StartFade(IDB_FADE_PICTURE, 0));
    RECT rect = {};
    GetClientRect(picture.Handle(), &rect);
    EXPECT_EQ(rect.right, 348);
    EXPECT_EQ(rect.bottom, 188);
    ASSERT_TRUE(PumpUntil([&] { return picture.FadeFinished(); }));

    CBitmapHandle bitmap(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_FADE_PICTURE), IMAGE_BITMAP, 0, 0, 0)));
    HWND painted = picture.Handle();
    const Pixels shown = ScreenPixels(painted);
    CMemoryDC source(nullptr);
    CSelection selection(source.Get(), bitmap.Get());
    int equal = 0;
    for (int y = 0; y < shown.height; y += 7) {
        for (int x = 0; x < shown.width; x += 7) equal += shown.At(x, y) == GetPixel(source.Get(), x, y);
    }
    EXPECT_GT(equal, (shown.width / 7) * (shown.height / 7) * 9 / 10);

    // A slow fade is stopped, not waited out, when the window goes.
    ASSERT_TRUE(picture.StartFade(IDB_FADE_PICTURE, 60000));
    DestroyWindow(dialog->Handle());
    EXPECT_FALSE(picture.FadeFinished());
}

TEST_F(ControlsTest, LabelKeepsItsOwnTextAndRepaintsItsLines) {
    CSkinLabel& label = dialog->centredLabel;
    const HWND window = label.Handle();
    SetWindowTextA(window, "Wide first line\nab");
    EXPECT_EQ(label.Text(), "Wide first line\nab");
    EXPECT_EQ(label.LineCount(), 2);
    char own[64] = {};
    GetWindowTextA(window, own, sizeof own);
    EXPECT_STREQ(own, "");  // answered by the label alone

    // Black text on the parent's own pixels; each line centred on its own.
    Pixels pixels = ScreenPixels(window);
    RECT place = {};
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, dialog->Handle(), reinterpret_cast<POINT*>(&place), 2);
    int parentPixels = 0;
    int black = 0;
    int top = pixels.height;
    int bottom = -1;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const COLORREF color = pixels.At(x, y);
            parentPixels += color == PatternAt(place.left + x, place.top + y);
            if (color == RGB(0, 0, 0)) {
                ++black;
                if (y < top) top = y;
                bottom = y;
            }
        }
    }
    EXPECT_GT(black, 20);
    EXPECT_GT(parentPixels, pixels.width * pixels.height * 3 / 4);
    // The two lines' ink, measured row band by row band.
    auto inkSpan = [&](int fromY, int toY, int* left, int* right) {
        *left = pixels.width;
        *right = -1;
        for (int y = fromY; y < toY; ++y) {
            for (int x = 0; x < pixels.width; ++x) {
                if (pixels.At(x, y) != RGB(0, 0, 0)) continue;
                if (x < *left) *left = x;
                if (x > *right) *right = x;
            }
        }
    };
    const int middle = (top + bottom) / 2 + 1;
    int left1, right1, left2, right2;
    inkSpan(0, middle, &left1, &right1);
    inkSpan(middle, pixels.height, &left2, &right2);
    EXPECT_LT(left1, left2);
    EXPECT_NEAR(left1 + right1, left2 + right2, 3);  // same centre
    EXPECT_NEAR(left1 + right1, pixels.width - 1, 3);

    // A shorter text leaves nothing of the longer one behind.
    SetWindowTextA(window, "ab");
    pixels = ScreenPixels(window);
    int blackAfter = 0;
    for (int y = middle; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) blackAfter += pixels.At(x, y) == RGB(0, 0, 0);
    }
    EXPECT_EQ(blackAfter, 0);
}

TEST_F(ControlsTest, LabelCutsTextsBeyondItsLimits) {
    CSkinLabel& label = dialog->label;
    EXPECT_EQ(label.Text(), "Output Directory:");
    const std::string longText = std::string(300, 'x') + "\n" + std::string(2000, 'y');
    SetWindowTextA(label.Handle(), longText.c_str());
    EXPECT_EQ(label.Text().size(), 1023u);
    EXPECT_EQ(label.GetLine(0).size(), 255u);
    ScreenPixels(label.Handle());  // paints the cut lines
}

TEST_F(ControlsTest, FieldShowsItsTextOverTheStretchedBackground) {
    CSkinEditField& field = dialog->field;
    const HWND window = field.Handle();
    const Pixels empty = PrintClient(window);
    // "edit_back" is one pixel wide: every row of the empty field is one colour.
    for (int y = 1; y < empty.height - 1; ++y) {
        for (int x = 1; x < empty.width - 1; ++x) ASSERT_EQ(empty.At(x, y), empty.At(1, y)) << x << "," << y;
    }
    field.SetFieldText("C:\\Videos\\");
    EXPECT_NE(PrintClient(window), empty);

    char buffer[8] = "unset";
    EXPECT_FALSE(field.GetFieldText(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    char whole[16];
    EXPECT_TRUE(field.GetFieldText(whole, sizeof whole));
    EXPECT_STREQ(whole, "C:\\Videos\\");
}

TEST_F(ControlsTest, GroupBoxDrawsItsCaptionOnceAndItsFrame) {
    const HWND window = dialog->group.Handle();
    char own[64] = {"x"};
    GetWindowTextA(window, own, sizeof own);
    EXPECT_STREQ(own, "");
    EXPECT_EQ(dialog->group.Caption(), "Output");
    const Pixels pixels = ScreenPixels(window);
    EXPECT_GT(pixels.Count(RGB(0, 0, 0)), 10);
    // The frame's left edge, below the caption.
    EXPECT_EQ(pixels.At(1, pixels.height / 2), RGB(230, 230, 230));
    EXPECT_EQ(pixels.At(pixels.width - 2, pixels.height / 2), RGB(230, 230, 230));
}

// Everything a control creates goes again with it: icons, masks, the
// background cache, fonts, tooltips, the fade's bitmap and DCs.
TEST(ControlsResources, GdiObjectsComeBackAfterEveryControlIsDestroyed) {
    auto cycle = [] {
        CControlsDialog dialog;
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        ShowWindow(dialog.Handle(), SW_SHOW);
        dialog.field.SetFieldText("C:\\Videos\\");
        SetWindowTextA(dialog.label.Handle(), "two\nlines");
        ASSERT_TRUE(dialog.picture.StartFade(IDB_FADE_PICTURE, 0));
        ASSERT_TRUE(PumpUntil([&] { return dialog.picture.FadeFinished(); }));
        for (HWND control : {dialog.button.Handle(), dialog.checkBox.Handle(), dialog.captioned.Handle(),
                             dialog.segments.Handle(), dialog.field.Handle()}) {
            PrintClient(control);
        }
        EnableWindow(dialog.button.Handle(), FALSE);
        PrintClient(dialog.button.Handle());
        ScreenPixels(dialog.Handle());
        DestroyWindow(dialog.Handle());
    };
    cycle();  // the system makes some objects of its own on first use
    const int before = CountGdiObjects();
    cycle();
    EXPECT_EQ(CountGdiObjects(), before);
}

}  // namespace
