#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>

#include "control_children.h"
#include "controls/range_slider.h"
#include "controls/skin_combo_box.h"
#include "controls/skin_list_box.h"
#include "controls/skin_list_ctrl.h"
#include "framework/gdi.h"
#include "gallery.h"
#include "skin/skin.h"

// The controls that hold data, as the main window fills them: the task list
// with many rows, ticked and unticked, progress at 0, 50 and 100 % and a
// finished row; a settings combo open with its scroll bar; the profile list
// scrolled to its selection; the trim slider with a trimmed range.
namespace {

const char* const kColumns[] = {"", "Source", "Begin Time", "End Time", "Output", "Progress"};
const int kWidths[] = {22, 120, 64, 64, 100, 250};

// The list asks its parent for every cell, so the controls live in a window
// of their own that answers, over the skin's background.
class CDataHost : public CWindow {
public:
    static constexpr UINT kOpenCombo = WM_APP + 1;

    bool Open(HWND page, SIZE size) {
        RegisterWindowClass("ClipvaneGalleryData", 0, LoadCursor(nullptr, IDC_ARROW), nullptr);
        return Create("ClipvaneGalleryData", "", WS_CHILD | WS_VISIBLE, 0, {0, 0, size.cx, size.cy}, page, 1);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_ERASEBKGND:
                DrawSkinBackground(Handle(), reinterpret_cast<HDC>(wParam));
                return TRUE;
            case WM_LIST_GETCELLINFO:
                FillCell(*reinterpret_cast<CellInfo*>(lParam));
                return 0;
            case kOpenCombo: {
                // Opened once the page shows, so that the popup lies above it;
                // highlighted as after pressing Down three times.
                CSkinComboBox& combo = *reinterpret_cast<CSkinComboBox*>(lParam);
                combo.ShowDropDown();
                for (int i = 0; i < 3; ++i) combo.DropWindow().OnKey(VK_DOWN);
                return 0;
            }
        }
        return CWindow::WindowProc(message, wParam, lParam);
    }

private:
    static void FillCell(CellInfo& cell) {
        cell.textColor = RGB(10, 5, 20);
        cell.backgroundColor = RGB(220, 220, 220);
        cell.selectedTextColor = RGB(49, 66, 97);
        cell.selectedBackgroundFocused = RGB(30, 0, 96);
        cell.selectedBackgroundUnfocused = RGB(20, 20, 120);
        const int row = cell.item;
        char text[128] = {};
        switch (cell.subitem) {
            case 0:
                cell.hasCheckBox = true;
                cell.checkState = row % 4 == 3 ? 0 : DFCS_CHECKED;
                cell.checkPlainBackground = false;
                return;
            case 1:
                std::snprintf(text, sizeof text, "Holiday & friends %02d.avi", row + 1);
                break;
            case 2:
                std::snprintf(text, sizeof text, "00:%02d:%02d", row % 60, 0);
                break;
            case 3:
                std::snprintf(text, sizeof text, "00:%02d:%02d", row % 60 + 1, 30);
                break;
            case 4:
                std::snprintf(text, sizeof text, "Holiday %02d.mp4", row + 1);
                break;
            case 5:
                if (row == 3) {
                    cell.text = " Finished ";
                    return;
                }
                if (row > 3) return;
                cell.progressMax = 100;
                cell.progressPos = row * 50;
                cell.progressTextColor = RGB(154, 30, 28);
                std::snprintf(text, sizeof text, "00:00:%02d    %.02fMB    %.02fFrames/s      %%%d ", row * 15,
                              row * 1.25, 24.5, row * 50);
                break;
        }
        cell.text = text;
    }
};

class CDataPage : public CGalleryContent {
public:
    explicit CDataPage(HWND page, SIZE size) : font_(MakeFont("Tahoma", -11, FW_NORMAL)) {
        host_.Open(page, size);
        const HWND host = host_.Handle();

        const HWND list = Child("SysListView32", LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 15, 40, 620, 200);
        list_.Subclass(list);
        for (int i = 0; i < 6; ++i) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = const_cast<char*>(kColumns[i]);
            column.cx = kWidths[i];
            SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
        }
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        SendMessageA(list, LVM_SETITEMCOUNT, 60, 0);
        LVITEMA selected = {};
        selected.stateMask = LVIS_SELECTED;
        selected.state = LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, 5, reinterpret_cast<LPARAM>(&selected));
        list_.InitSkinScrollBars();

        listBox_.Subclass(Child("LISTBOX", 0, 15, 285, 200, 120));
        for (int i = 0; i < 20; ++i) {
            char entry[64];
            std::snprintf(entry, sizeof entry, "Profile %02d\t%d kbps", i + 1, 300 + 50 * i);
            listBox_.AddEntry(entry);
        }
        listBox_.SetItemSelected(12, true);
        listBox_.EnsureItemVisible(12);

        const HWND slider = AddChild(host, CRangeSlider::kClassName, "", WS_TABSTOP, 400, 300, 346, 20);
        slider_.Subclass(slider);
        slider_.SetMinMax(0.0, 120.0);
        slider_.SetRange(30.0, 75.0);

        closedCombo_.Subclass(Child(CSkinComboBox::kClassName, WS_TABSTOP, 240, 285, 130, 200));
        combo_.Subclass(Child(CSkinComboBox::kClassName, WS_TABSTOP, 240, 320, 110, 140));
        for (int i = 0; i < 16; ++i) {
            const std::string rate = std::to_string(64 + 32 * i) + " kbps";
            SendMessageA(combo_.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rate.c_str()));
        }
        SendMessageA(closedCombo_.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("320 x 240"));
        SendMessageA(closedCombo_.Handle(), CB_SETCURSEL, 0, 0);
        SendMessageA(combo_.Handle(), CB_SETCURSEL, 4, 0);
        PostMessageA(host, CDataHost::kOpenCombo, 0, reinterpret_cast<LPARAM>(&combo_));
    }

    void PaintBackground(HWND page, HDC dc) override { DrawSkinBackground(page, dc); }
    bool Settled() const override { return combo_.IsDropped() && combo_.DropWindowFadedIn(); }

private:
    HWND Child(const char* className, DWORD style, int x, int y, int width, int height) {
        const HWND window = AddChild(host_.Handle(), className, "", style, x, y, width, height);
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        return window;
    }

    CFontHandle font_;
    CDataHost host_;
    CSkinListCtrl list_;
    CSkinListBox listBox_;
    CRangeSlider slider_;
    CSkinComboBox closedCombo_;
    CSkinComboBox combo_;
};

std::unique_ptr<CGalleryContent> BuildDataPage(HWND page) { return std::make_unique<CDataPage>(page, SIZE{760, 480}); }

const GalleryRegistration page({"data", {760, 480}, BuildDataPage});

}  // namespace
