#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/skin_combo_window.h"
#include "framework/window.h"
#include "skin/skin.h"

// A drop-down list whose closed face is painted from the skin's "combo_back"
// and "combo_arrow" elements and whose list is a CSkinComboWindow.
//
// It is a window of its own class, "ClipvaneComboBox", which a dialog template
// names (registered when the first CSkinComboBox is constructed); attach it
// with SubclassDlgItem(). It is no system combo box: that one keeps a hidden
// list of its own, a top-level window, and under Wine each of those costs
// several milliseconds to create and to move, which a window of eleven combos
// pays at every start.
//
// So that the program, screen readers and automation tools fill, read and
// choose in it as in a drop-down list, it answers the system combo's
// messages for that with the same results (CB_ERR for an index that names no
// item): CB_ADDSTRING, CB_RESETCONTENT, CB_GETCOUNT, CB_GETCURSEL,
// CB_SETCURSEL (which tells no one), WM_GETTEXT and WM_GETTEXTLENGTH (the
// shown item), CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_FINDSTRINGEXACT,
// CB_GETITEMDATA, CB_SETITEMDATA, CB_GETDROPPEDSTATE and CB_SHOWDROPDOWN. The
// class is an ANSI one: texts come and go in the ANSI code page, and the
// system converts them for callers of the wide messages. The height a move
// gives it is its face and its list together, the face keeping the height of
// one line of its font. The parent hears WM_COMMAND with CBN_SELCHANGE
// (posted, lParam the combo) for each choice the user makes, also when the
// choice is the current item.
class CSkinComboBox : public CWindow {
public:
    static constexpr const char* kClassName = "ClipvaneComboBox";

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
    LRESULT OnAddString(const char* text);
    void OnResetContent();
    LRESULT OnSetCurSel(WPARAM index);
    LRESULT OnGetItemText(WPARAM index, char* buffer) const;
    LRESULT OnFindStringExact(WPARAM after, const char* text) const;
    void OnShowDropDown(bool show);
    void OnPaint();
    void OnButtonDown();
    // True when the key was used (everything but Tab).
    bool OnKeyDown(WPARAM key);
    // True when the key was used (Alt+Down and Alt+Up).
    bool OnSysKeyDown(WPARAM key);
    void OnKillFocus(HWND next);
    int Count() const { return static_cast<int>(items_.size()); }
    std::string ShownText() const { return current_ >= 0 ? items_[static_cast<size_t>(current_)] : std::string(); }
    // An index from a message's wParam; -1 and every other negative one are none.
    bool IsItem(WPARAM index) const { return index < items_.size(); }

    ComboStyle style_;
    std::vector<std::string> items_;  // UTF-8
    std::vector<LPARAM> itemData_;    // one value for each item
    int current_ = -1;
    CSkinComboWindow drop_;
};
