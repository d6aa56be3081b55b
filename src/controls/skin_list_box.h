#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/item_column.h"
#include "controls/skin_mini_scroll.h"
#include "framework/window.h"
#include "skin/skin.h"

// The profile list: a single-selection list that keeps its own item strings
// and draws them over the skin's "listbox_back" and "listbox_fore" elements,
// with a raised rounded frame and a mini scroll bar.
//
// Attach it with SubclassDlgItem() to a list box (or button) of a dialog
// template: the system's own list logic is never used. The parent hears
// WM_COMMAND with LBN_SELCHANGE after every selection by mouse or keyboard,
// and LBN_DBLCLK after a double-click, posted as a list box would; lParam is
// the control's window. Selecting by program sends nothing.
class CSkinListBox : public CWindow {
public:
    static constexpr int kMaxItems = 200;

    // Copies the list box style of the loaded skin.
    CSkinListBox();

    void ResetItems();
    // Returns the new item's index; with kMaxItems items nothing is added and
    // kMaxItems - 1 is returned.
    int AddEntry(const char* text);
    // An index outside the items is ignored. Returns the index.
    int SetItemSelected(int index, bool selected);
    // The lowest selected index, -1 when none.
    int GetFirstSelected() const;
    // Scrolls the item into view; an index outside the items is ignored.
    void EnsureItemVisible(int index);

    int ItemCount() const { return static_cast<int>(items_.size()); }
    const std::string& ItemText(int index) const { return items_[static_cast<size_t>(index)].text; }
    int ScrollOffset() const { return scrollOffset_; }

    bool PreTranslateMessage(MSG* message) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    struct Item {
        std::string text;
        bool selected = false;
    };

    void Measure();
    void OnPaint();
    void PaintItems(HDC dc, int width, int height);
    void OnClick(int x, int y, bool doubleClick);
    bool OnArrowKey(WPARAM key);
    void OnScroll(int position);
    void Notify(WORD code);
    void SelectOnly(int index);

    ListBoxStyle style_;
    std::vector<Item> items_;
    ItemColumn column_;
    CSkinMiniScroll scrollBar_;
    int scrollOffset_ = 0;
    int caret_ = 0;
};
