#include <windows.h>

#include <memory>
#include <vector>

#include "control_children.h"
#include "controls/segment_bar.h"
#include "controls/skin_button.h"
#include "gallery.h"
#include "resource_ids.h"

// The skinned buttons as the main window sets them up: every icon button idle,
// one hovered, pressed and disabled, the shut-down check box in both states,
// text buttons as the message box has them, and the device tab bar.
namespace {

class CButtonsPage : public CGalleryContent {
public:
    explicit CButtonsPage(HWND page) : page_(page) {}

    CSkinButton& Add(const char* text, DWORD style, int x, int y, int width, int height) {
        const HWND window = AddChild(page_, "BUTTON", text, style, x, y, width, height);
        buttons_.push_back(std::make_unique<CSkinButton>());
        buttons_.back()->Subclass(window);
        return *buttons_.back();
    }

    // The configuration of the main window's icon buttons.
    CSkinButton& AddIconButton(int hoverIcon, int idleIcon, int x, int y, int size, const char* tooltip) {
        CSkinButton& button = Add("", BS_PUSHBUTTON, x, y, size, size);
        button.SetIcons(hoverIcon, idleIcon);
        button.SetTransparent();
        button.SetDrawBorder(false);
        button.SetAlignment(1);
        if (tooltip) button.SetTooltipText(tooltip, true);
        return button;
    }

    CSegmentBar& AddTabBar(int x, int y, int selected) {
        const HWND window = AddChild(page_, "BUTTON", "", 0, x, y, 447, 15);
        bars_.push_back(std::make_unique<CSegmentBar>());
        CSegmentBar& bar = *bars_.back();
        bar.Subclass(window);
        for (int tab = 0; tab < 6; ++tab) bar.AddSegment(tab, IDB_TAB_IPOD + tab);
        bar.SelectSegment(selected);
        return bar;
    }

private:
    HWND page_;
    std::vector<std::unique_ptr<CSkinButton>> buttons_;
    std::vector<std::unique_ptr<CSegmentBar>> bars_;
};

std::unique_ptr<CGalleryContent> BuildButtonsPage(HWND page) {
    auto content = std::make_unique<CButtonsPage>(page);
    CButtonsPage& p = *content;
    // The main window's buttons, idle.
    p.AddIconButton(IDI_START_CONVERTING_HOVER, IDI_START_CONVERTING_IDLE, 45, 40, 80, "Start Converting");
    p.AddIconButton(IDI_STOP_CONVERTING_HOVER, IDI_STOP_CONVERTING_IDLE, 135, 40, 80, "Stop Converting");
    p.AddIconButton(IDI_ADD_FILE_HOVER, IDI_ADD_FILE_IDLE, 225, 75, 45, "Add a video to converting task");
    p.AddIconButton(IDI_REMOVE_SELECTED_HOVER, IDI_REMOVE_SELECTED_IDLE, 275, 75, 45, "Remove selected video");
    p.AddIconButton(IDI_REMOVE_ALL_HOVER, IDI_REMOVE_ALL_IDLE, 325, 75, 45, "Remove all videos");
    p.AddIconButton(IDI_HELP_HOVER, IDI_HELP_IDLE, 380, 80, 40, "Contents");
    p.AddIconButton(IDI_OUTPUT_FOLDER_HOVER, IDI_OUTPUT_FOLDER_IDLE, 430, 85, 30, "Select the output directory");
    p.AddIconButton(IDI_PREVIEW_PLAY_HOVER, IDI_PREVIEW_PLAY_IDLE, 470, 90, 25, "Preview selected videos");
    p.AddIconButton(IDI_PREVIEW_STOP_HOVER, IDI_PREVIEW_STOP_IDLE, 500, 90, 25, "Stop preview");
    p.AddIconButton(IDI_MINIMISE_HOVER, IDI_MINIMISE_IDLE, 525, 35, 18, nullptr);
    p.AddIconButton(IDI_CLOSE_HOVER, IDI_CLOSE_IDLE, 545, 35, 18, nullptr);

    // The add button hovered, pressed and disabled.
    CSkinButton& hovered = p.AddIconButton(IDI_ADD_FILE_HOVER, IDI_ADD_FILE_IDLE, 225, 135, 45, nullptr);
    POINT centre = {22, 22};
    ClientToScreen(hovered.Handle(), &centre);
    SetCursorPos(centre.x, centre.y);
    SendMessageA(hovered.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(22, 22));
    CSkinButton& pressed = p.AddIconButton(IDI_ADD_FILE_HOVER, IDI_ADD_FILE_IDLE, 275, 135, 45, nullptr);
    SendMessageA(pressed.Handle(), BM_SETSTATE, TRUE, 0);
    CSkinButton& disabled = p.AddIconButton(IDI_ADD_FILE_HOVER, IDI_ADD_FILE_IDLE, 325, 135, 45, nullptr);
    EnableWindow(disabled.Handle(), FALSE);

    // The shut-down check box, unchecked and checked.
    const char* shutDown = "Automatically Shut Down the computer when converting finished";
    for (int row = 0; row < 2; ++row) {
        CSkinButton& box = p.Add(shutDown, BS_AUTOCHECKBOX, 20, 195 + row * 22, 440, 15);
        box.SetIcons(IDI_SHUTDOWN_CHECK_HOVER, IDI_SHUTDOWN_CHECK_IDLE);
        box.SetTransparent();
        box.SetAlignment(0);
        if (row == 1) box.SetCheck(true);
    }

    // Text buttons as in the message box: idle, pressed, disabled, and one
    // with the system's colours instead of the parent's background.
    const char* texts[] = {"OK", "Cancel", "Yes", "No"};
    for (int i = 0; i < 4; ++i) {
        CSkinButton& button = p.Add(texts[i], BS_PUSHBUTTON, 20 + i * 80, 250, 70, 20);
        if (i < 3) button.SetTransparent();
        if (i == 1) SendMessageA(button.Handle(), BM_SETSTATE, TRUE, 0);
        if (i == 2) EnableWindow(button.Handle(), FALSE);
    }

    // The device tab bar, on its first tab and on another.
    p.AddTabBar(20, 290, 0);
    p.AddTabBar(20, 315, 3);
    return content;
}

const GalleryRegistration page({"buttons", {600, 345}, BuildButtonsPage});

}  // namespace
