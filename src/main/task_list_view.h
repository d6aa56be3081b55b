#pragma once

#include <windows.h>

#include "controls/skin_list_ctrl.h"

// The task list control 1011 as the main window uses it: the skinned list with
// the task list's columns, and the selection-mark and row operations the task
// list's handlers speak in.
class CTaskListView : public CSkinListCtrl {
public:
    // Columns, check boxes and full-row selection.
    void SetUp();
    void SetItemCount(int count);
    int SelectionMark() const;
    void SetSelectionMark(int row);
    // Gives the row the selected and focused states and the list the keyboard
    // focus, and scrolls the row into view.
    void HighlightRow(int row);
    void RedrawRows(int first, int last);

private:
    bool RowInView(int row) const;
};
