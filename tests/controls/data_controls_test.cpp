#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "control_test_ids.h"
#include "control_test_support.h"
#include "controls/range_slider.h"
#include "controls/skin_combo_box.h"
#include "controls/skin_list_box.h"
#include "controls/skin_list_ctrl.h"
#include "controls/skin_paint.h"
#include "controls/wide_text.h"
#include "framework/dialog.h"
#include "support/gdi_count.h"

namespace {

// The four data controls, set up as the main window sets them up, with a
// parent that fills the list's cells and records every notification.
class CDataDialog : public CDialog {
public:
    CDataDialog() : CDialog(IDD_DATA_CONTROLS_TEST) {}

    CSkinListCtrl list;
    CSkinComboBox combo;
    CSkinListBox listBox;
    CRangeSlider slider;

    std::string firstName;  // row 0's name when set
    int progress = 50;      // the progress of rows 0 to 2
    std::vector<CellHit> cellClicks;
    int comboChanges = 0;
    std::vector<WORD> listBoxNotes;
    std::vector<std::pair<WPARAM, LPARAM>> sliderNotes;

protected:
    BOOL OnInitDialog() override {
        const HWND dialog = Handle();
        list.SubclassDlgItem(IDC_DATA_LIST, dialog);
        combo.SubclassDlgItem(IDC_DATA_COMBO, dialog);
        listBox.SubclassDlgItem(IDC_DATA_LISTBOX, dialog);
        slider.SubclassDlgItem(IDC_DATA_SLIDER, dialog);
        int index = 0;
        const std::pair<const char*, int> columns[] = {{"", 24}, {"Source", 120}, {"Progress", 200}};
        for (const auto& [title, width] : columns) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = width;
            column.pszText = const_cast<char*>(title);
            SendMessageA(list.Handle(), LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&column));
        }
        SendMessageA(list.Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        list.InitSkinScrollBars();
        MoveWindow(slider.Handle(), 10, 230, 346, 20, FALSE);
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == CRangeSlider::RangeChangedMessage()) {
            sliderNotes.emplace_back(wParam, lParam);
            return 0;
        }
        switch (message) {
            case WM_LIST_GETCELLINFO:
                FillCell(*reinterpret_cast<CellInfo*>(lParam));
                return 0;
            case WM_LIST_CELLCLICK:
                cellClicks.push_back(*reinterpret_cast<const CellHit*>(lParam));
                return 0;
            case WM_COMMAND:
                if (LOWORD(wParam) == IDC_DATA_COMBO && HIWORD(wParam) == CBN_SELCHANGE) ++comboChanges;
                if (LOWORD(wParam) == IDC_DATA_LISTBOX && HIWORD(wParam) != LBN_SETFOCUS &&
                    HIWORD(wParam) != LBN_KILLFOCUS) {
                    listBoxNotes.push_back(HIWORD(wParam));
                }
                break;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    // Column 0 a check box, ticked on odd rows; column 1 a name with an
    // ampersand (or firstName); column 2 a progress bar at `progress`, with
    // text on row 2.
    void FillCell(CellInfo& cell) const {
        cell.textColor = RGB(10, 5, 20);
        cell.backgroundColor = RGB(220, 220, 220);
        switch (cell.subitem) {
            case 0:
                cell.hasCheckBox = true;
                cell.checkState = cell.item % 2 ? DFCS_CHECKED : 0;
                break;
            case 1:
                cell.text =
                    cell.item == 0 && !firstName.empty() ? firstName : "Tom & Jerry " + std::to_string(cell.item);
                break;
            case 2:
                cell.progressMax = 100;
                cell.progressPos = cell.item == 3 ? 250 : progress;
                cell.progressTextColor = RGB(255, 255, 0);
                if (cell.item == 2) cell.text = "50%";
                break;
        }
    }
};

class DataControlsTest : public ShownDialogTest<CDataDialog> {
protected:
    // Handles the messages and then what they posted in turn (the notifications).
    void Handle(const std::vector<MSG>& messages) {
        PostAndHandle(dialog->Handle(), messages);
        PostAndHandle(dialog->Handle(), {});
    }
    static MSG Key(HWND window, WPARAM key) { return Msg(window, WM_KEYDOWN, key, 1); }
    HWND List() const { return dialog->list.Handle(); }
    RECT SubitemRect(int item, int subitem) const {
        RECT rect = {LVIR_BOUNDS, subitem, 0, 0};
        SendMessageA(List(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
};

TEST_F(DataControlsTest, ListReportsClicksCopiesTextsWithinTheCallersBufferAndShowsACutCellsWholeText) {
    SendMessageA(List(), LVM_SETITEMCOUNT, 40, 0);
    const RECT row3 = SubitemRect(3, 0);
    Click(List(), row3.left + 3, (row3.top + row3.bottom) / 2);
    const RECT name = SubitemRect(5, 1);
    Click(List(), name.left + 30, (name.top + name.bottom) / 2);
    using Hit = std::tuple<int, int, bool, bool>;  // item, column, on the image, on the check box
    std::vector<Hit> hits;
    for (const CellHit& hit : dialog->cellClicks) hits.emplace_back(hit.item, hit.subitem, hit.onImage, hit.onCheckBox);
    EXPECT_EQ(hits, (std::vector<Hit>{{3, 0, false, true}, {5, 1, false, false}}));

    // A cell's text asked for with a short buffer.
    char buffer[8];
    memset(buffer, 'x', sizeof buffer);
    LVITEMA item = {};
    item.iSubItem = 1;
    item.pszText = buffer;
    item.cchTextMax = 5;
    SendMessageA(List(), LVM_GETITEMTEXTA, 7, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(buffer, "Tom ");
    EXPECT_EQ(buffer[5], 'x');

    // A cut cell shows its whole text where the mouse rests.
    dialog->firstName = "Failed: Invalid data found when processing input";
    const HWND tip = dialog->list.Tooltip();
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 1);
    const auto restOn = [&](int row) {
        const RECT cell = SubitemRect(row, 1);
        POINT point = {cell.left + 20, (cell.top + cell.bottom) / 2};
        POINT screen = point;
        ClientToScreen(List(), &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageA(List(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        return PumpUntil([&] { return IsWindowVisible(tip) != FALSE; }, 400);
    };
    EXPECT_FALSE(restOn(1)) << "a text that fits needs no tooltip";
    ASSERT_TRUE(restOn(0));
    wchar_t text[128] = {};
    GetWindowTextW(tip, text, 128);
    EXPECT_STREQ(text, L"Failed: Invalid data found when processing input");
}

// The list's cells and the combo's face draw names in any script as the wide call does.
TEST_F(DataControlsTest, NamesInAnyScriptLookAsTheWideCallDrawsThemAndAProgressBarShowsItsPosition) {
    SendMessageA(List(), LVM_SETITEMCOUNT, 1, 0);
    const HWND combo = dialog->combo.Handle();
    for (const std::wstring name :
         {L"\u0416\u0438\u0437\u043d\u044c \u0438 clip.mp4", L"\u590f\u306e\u601d\u3044\u51fa.mp4"}) {
        dialog->firstName = ToUtf8(name.c_str());
        const std::pair<int, int> drawn = InkOf(PrintClient(List()), RGB(10, 5, 20), SubitemRect(0, 1));
        const HFONT font = reinterpret_cast<HFONT>(SendMessageA(List(), WM_GETFONT, 0, 0));
        EXPECT_EQ(drawn, WideTextInk(font, name, RGB(10, 5, 20))) << dialog->firstName;

        // The face's own pixels of the text colour are not the text's.
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(dialog->firstName.c_str()));
        const Pixels face = ScreenPixels(combo);
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        const COLORREF ink = CurrentSkin().combo.textColor;
        const HFONT comboFont = reinterpret_cast<HFONT>(SendMessageA(combo, WM_GETFONT, 0, 0));
        EXPECT_EQ(InkOf(ScreenPixels(combo), ink, {}, &face), WideTextInk(comboFont, name, ink)) << dialog->firstName;
    }

    // A progress cell's bar is filled to its position; a running item's cell
    // is repainted many times a second, each time only where it changed, and
    // must still show the whole new bar.
    const RECT bar = SubitemRect(0, 2);
    const auto filledWidth = [&] {
        const Pixels shown = ScreenPixels(List());
        // The filled part is light blue, the empty part dark blue, the cell's background grey.
        int filledTo = bar.left;
        for (int x = bar.left; x < bar.right; ++x) {
            const COLORREF pixel = shown.At(x, (bar.top + bar.bottom) / 2);
            if (GetRValue(pixel) < 150 && GetGValue(pixel) > 165) filledTo = x + 1;
        }
        return filledTo - bar.left;
    };
    EXPECT_NEAR(filledWidth(), (bar.right - bar.left) / 2, 2);
    for (const int progress : {80, 20}) {
        dialog->progress = progress;
        dialog->list.RepaintCells(0, 0, 2, false);
        EXPECT_NEAR(filledWidth(), (bar.right - bar.left) * progress / 100, 2) << progress;
    }
}

TEST_F(DataControlsTest, VerticalBarDraggedToTheTopShowsTheFirstRow) {
    CSkinVScrollBar& bar = dialog->list.VerticalBar();
    SendMessageA(List(), LVM_SETITEMCOUNT, 100, 0);
    SendMessageA(List(), LVM_ENSUREVISIBLE, 99, FALSE);
    RedrawWindow(List(), nullptr, nullptr, RDW_UPDATENOW);
    ASSERT_GT(SendMessageA(List(), LVM_GETTOPINDEX, 0, 0), 50);
    const int thumb = bar.ThumbOffset();
    EXPECT_GT(thumb, 16);
    SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, thumb + 10));
    SendMessageA(bar.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, -40));
    SendMessageA(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, -40));
    EXPECT_EQ(SendMessageA(List(), LVM_GETTOPINDEX, 0, 0), 0);
}

// The combo tells the parent only of the user's choices; open, it ignores
// the first three moves (the system's own after the drop) and follows mouse and keys.
TEST_F(DataControlsTest, ComboTellsOnlyTheUsersChoicesAndOpenFollowsMouseAndKeys) {
    const HWND combo = dialog->combo.Handle();
    // The selection and the notifications so far.
    const auto state = [&] { return std::make_pair(SendMessageA(combo, CB_GETCURSEL, 0, 0), dialog->comboChanges); };
    for (int i = 0; i < 30; ++i) {  // (nothing to wrap around in an empty one: the native case)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("Profile " + std::to_string(i)).c_str()));
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    Handle({});
    EXPECT_EQ(state(), std::make_pair(LRESULT{0}, 0));
    Handle({Key(combo, VK_UP)});
    EXPECT_EQ(state(), std::make_pair(LRESULT{29}, 1));
    Handle({Key(combo, VK_DOWN)});
    EXPECT_EQ(state(), std::make_pair(LRESULT{0}, 2));

    Click(combo, 10, 5);
    CSkinComboWindow& drop = dialog->combo.DropWindow();
    ASSERT_TRUE(dialog->combo.IsDropped());
    EXPECT_TRUE(drop.HasScrollBar());
    const LPARAM overThird = MAKELPARAM(20, 2 * 17 + 8);
    for (int move = 0; move < 3; ++move) SendMessageA(drop.Handle(), WM_MOUSEMOVE, 0, overThird);
    EXPECT_EQ(drop.Highlighted(), -1);
    SendMessageA(drop.Handle(), WM_MOUSEMOVE, 0, overThird);
    EXPECT_EQ(drop.Highlighted(), 2);
    // Keys go on from the item under the mouse (wrapping and scrolling are tested natively).
    Handle({Key(combo, VK_DOWN), Key(combo, VK_RETURN)});
    EXPECT_FALSE(dialog->combo.IsDropped());
    EXPECT_EQ(state(), std::make_pair(LRESULT{3}, 3));
    // A press on the combo while open closes it and changes nothing.
    Click(combo, 10, 5);
    ASSERT_TRUE(dialog->combo.IsDropped());
    Click(combo, 10, 5);
    EXPECT_FALSE(dialog->combo.IsDropped());
    // Enter, F4 and Alt+Down open it, never the system's own list; Escape
    // closes it without a choice, and Alt+Up with one.
    for (const MSG& open : {Key(combo, VK_RETURN), Key(combo, VK_F4), Msg(combo, WM_SYSKEYDOWN, VK_DOWN, 0x20000001)}) {
        Handle({open});
        EXPECT_TRUE(dialog->combo.IsDropped());
        Handle({Key(combo, VK_ESCAPE)});
        EXPECT_FALSE(dialog->combo.IsDropped());
    }
    Handle({Msg(combo, WM_SYSKEYDOWN, VK_DOWN, 0x20000001), Key(combo, VK_DOWN)});
    const int highlighted = drop.Highlighted();
    Handle({Msg(combo, WM_SYSKEYDOWN, VK_UP, 0x20000001)});
    EXPECT_FALSE(dialog->combo.IsDropped());
    EXPECT_EQ(state(), std::make_pair(LRESULT{highlighted}, 4));
}

TEST_F(DataControlsTest, ListBoxKeysAndClicksNotifyLikeAListBox) {
    CSkinListBox& box = dialog->listBox;
    const HWND window = box.Handle();
    Handle({Key(window, VK_DOWN)});
    EXPECT_TRUE(dialog->listBoxNotes.empty());
    EXPECT_EQ(box.GetFirstSelected(), -1);
    for (int i = 0; i < 12; ++i) box.AddEntry(("Entry\t" + std::to_string(i)).c_str());
    // Both ways round (how far it scrolls is tested natively).
    Handle({Key(window, VK_UP)});
    EXPECT_EQ(box.GetFirstSelected(), 11);
    Handle({Key(window, VK_DOWN)});
    EXPECT_EQ(box.GetFirstSelected(), 0);
    EXPECT_EQ(dialog->listBoxNotes, (std::vector<WORD>{LBN_SELCHANGE, LBN_SELCHANGE}));
    dialog->listBoxNotes.clear();
    Handle({Msg(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 25)),
            Msg(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 25))});
    EXPECT_EQ(box.GetFirstSelected(), 1);
    EXPECT_EQ(dialog->listBoxNotes, (std::vector<WORD>{LBN_SELCHANGE, LBN_SELCHANGE, LBN_DBLCLK}));
    // Out-of-range indices are ignored, and the 201st entry is refused.
    box.SetItemSelected(-1, true);
    box.SetItemSelected(500, true);
    box.EnsureItemVisible(-1);
    EXPECT_EQ(box.GetFirstSelected(), 1);
    for (int i = 12; i < 200; ++i) box.AddEntry("more");
    EXPECT_EQ(box.AddEntry("one too many"), 199);
    EXPECT_EQ(box.ItemCount(), 200);
    box.ResetItems();
    EXPECT_EQ(box.GetFirstSelected(), -1);
}

// Where the thumbs go is the slider scale's native test; here mouse and keys
// reach it, Shift is read from the keyboard, the parent hears which part moved
// and when a drag ends.
TEST_F(DataControlsTest, SliderNotifiesDragsAndKeys) {
    CRangeSlider& slider = dialog->slider;
    const HWND window = slider.Handle();
    slider.SetMinMax(0, 320);
    slider.SetRange(100, 200);
    EXPECT_TRUE(dialog->sliderNotes.empty()) << "the program's own changes are not told";
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(106, 8));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(156, 8));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(156, 8));
    EXPECT_EQ(slider.Left(), 150);
    // The keys move the thumb just grabbed; on a new scale, the whole range.
    SendMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(std::make_pair(slider.Left(), slider.Right()), std::make_pair(151.0, 200.0));
    slider.SetMinMax(0, 320);
    SendMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(std::make_pair(slider.Left(), slider.Right()), std::make_pair(152.0, 201.0));
    BYTE keys[256] = {};  // Shift held down
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(window, WM_KEYDOWN, VK_LEFT, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(std::make_pair(slider.Left(), slider.Right()), std::make_pair(152.0, 200.0));
    using Note = std::pair<WPARAM, LPARAM>;
    EXPECT_EQ(dialog->sliderNotes, (std::vector<Note>{{0, 0}, {0, 1}, {0, 0}, {2, 0}, {0, 0}}));
}

// An element of no height or width is drawn nowhere (tiling by it would never end).
TEST(SkinPaint, EmptyElementsAreNotDrawn) {
    CMemoryDC dc(nullptr);
    CBitmapHandle target(CreateCompatibleBitmap(CClientDC(nullptr).Get(), 20, 20));
    CSelection selection(dc.Get(), target.Get());
    const RECT all = {0, 0, 20, 20};
    FillSolid(dc.Get(), all, RGB(1, 2, 3));
    for (const SkinElement& element :
         {SkinElement{target.Get(), 5, 0}, SkinElement{target.Get(), 0, 5}, SkinElement{}}) {
        TileElement(dc.Get(), element, all, -3);
        StretchElement(dc.Get(), element, all);
        DrawElement(dc.Get(), element, 0, 0);
    }
    EXPECT_EQ(GetPixel(dc.Get(), 10, 10), RGB(1, 2, 3));
}

// Every control gives back what it made: buffers, fonts, pens, brushes,
// regions, the slider's bitmaps and snapshot, the drop window and its bar;
// the window is closed with the combo open.
TEST(DataControlsResources, GdiObjectsComeBackAfterEveryControlIsDestroyed) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    auto cycle = [] {
        CDataDialog dialog;
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        ShowWindow(dialog.Handle(), SW_SHOW);
        SendMessageA(dialog.list.Handle(), LVM_SETITEMCOUNT, 60, 0);
        for (int i = 0; i < 20; ++i) dialog.listBox.AddEntry("Entry");
        for (int i = 0; i < 20; ++i) SendMessageA(dialog.combo.Handle(), CB_ADDSTRING, 0, (LPARAM) "Item");
        dialog.combo.ShowDropDown();
        dialog.slider.SetMinMax(0, 100);
        RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        RedrawWindow(dialog.combo.DropWindow().Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ScreenPixels(dialog.Handle());
        const HWND drop = dialog.combo.DropWindow().Handle();
        ASSERT_TRUE(IsWindow(drop));
        DestroyWindow(dialog.Handle());
        EXPECT_FALSE(IsWindow(drop));
        EXPECT_FALSE(dialog.combo.IsDropped());
    };
    EXPECT_EQ(GdiObjectsLeftBy(cycle), 0);
}

}  // namespace
