#include "tasks/row_menu.h"

RowMenuEntries RowMenuFor(const TaskList& tasks, int row, bool running, bool outputReady) {
    RowMenuEntries entries;
    entries.play = tasks.Contains(row) && outputReady;
    if (running) return entries;
    entries.remove = tasks.Contains(row);
    for (int index = 0; index < tasks.Count(); ++index) {
        (tasks.Copy(index).selected ? entries.untickAll : entries.tickAll) = true;
    }
    return entries;
}
