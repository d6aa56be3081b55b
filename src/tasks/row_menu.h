#pragma once

// Portable: includes nothing of <windows.h>.

#include "tasks/task_list.h"

// Which entries of the task list's right-click menu apply. Opening the output
// folder always does (before a row's output exists it opens the folder the
// output will go to), during a run too, and so does playing an output that
// has been written; the entries that change the list wait until no run is
// under way, as every other change of the list does.
struct RowMenuEntries {
    bool play = false;
    bool remove = false;
    bool tickAll = false;
    bool untickAll = false;
};

// row: the row clicked, -1 for none. outputReady: that row's output was
// written by a run and is there.
RowMenuEntries RowMenuFor(const TaskList& tasks, int row, bool running, bool outputReady);
