#pragma once

#include <windows.h>

#include "controls/skin_combo_window.h"
#include "framework/window.h"
#include "skin/skin.h"

// A drop-down list whose closed face is painted from the skin's "combo_back"
// and "combo_arrow" elements and whose list is a CSkinComboWindow. The real
// combo box keeps the items and the selection (fill it with CB_ADDSTRING,
// set it with CB_SETCURSEL, which tells no one); it never sees the mouse or
// the keyboard. Attach it with SubclassDlgItem() to a drop-down-list combo box
// of a dialog template. The parent hears WM_COMMAND with CBN_SELCHANGE
// (posted, lParam the combo) for each choice the user makes, also when the
// choice is the current item.
class CSkinComboBox : public CWindow {
public:
    // Copies the combo box style of the loaded skin.
    CSkinComboBox();

    // Tells the parent, then selects index when it differs and repaints.
    // An index below 0 is ignored.
    void SelectAndNotify(int index);
    void ShowDropDown();
    void CloseDropDown();
    bool IsDropped() const { return drop_.Shown(); }
    bool DropWindowFadedIn() const { return drop_.FadedIn(); }
    CSkinComboWindow& DropWindow() { return drop_; }

    bool PreTranslateMessage(MSG* message) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void OnButtonDown();
    // True when the key was used (everything but Tab).
    bool OnKeyDown(WPARAM key);
    // True when the key was used (Alt+Down and Alt+Up).
    bool OnSysKeyDown(WPARAM key);
    void OnKillFocus(HWND next);
    int Count() const;
    int Current() const;

    ComboStyle style_;
    CSkinComboWindow drop_;
};
