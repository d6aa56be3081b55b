#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/window.h"
#include "tasks/cell_contents.h"

// The list's questions to its parent, sent synchronously: the contents of one
// cell (lParam a TaskCellRequest) and a left click on a cell (lParam a
// TaskCellHit); wParam is the list's window.
constexpr UINT WM_LIST_GETCELLINFO = 0x0BBB;
constexpr UINT WM_LIST_CELLCLICK = 0x0BBD;

struct TaskCellRequest {
    int item = -1;
    int subitem = -1;
    CellContents contents;
};

struct TaskCellHit {
    int item = -1;
    int subitem = -1;
    bool onImage = false;
    bool onCheckBox = false;
};

// The task list over the system's owner-data report view: it holds only the
// item count and asks the parent for every cell it shows, draws the Progress
// bars itself and reports clicks on cells and check boxes.
class CTaskListView : public CWindow {
public:
    // Columns, check boxes and full-row selection.
    void SetUp();
    void SetItemCount(int count);
    int SelectionMark() const;
    void SetSelectionMark(int row);
    // Gives the row the selected and focused states and scrolls it into view.
    void HighlightRow(int row);
    void RedrawRows(int first, int last);
    // Invalidates, without erasing, one column's cells of the rows (or only
    // their check boxes).
    void RepaintCells(int first, int last, int column, bool checkBoxOnly);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnNotify(NMHDR* header);
    void OnGetDisplayInfo(NMLVDISPINFOA& info);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
    void OnClick(const NMITEMACTIVATE& click);
    CellContents AskCell(int item, int subitem);
    RECT CellRect(int row, int column);

    char textBuffer_[512] = {};
};
