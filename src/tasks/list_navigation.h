#pragma once

// Where the task list's navigation keys take the selection. Every key either
// selects a row (which also loads its item into the preview) or puts the
// highlight back on the item already loaded.
enum class NavigationKey { PageDown, PageUp, Up, Down, Home, End };

struct NavigationTarget {
    bool selectsRow = false;  // false: highlight the loaded item again
    int row = -1;
};

// mark: the list's selection mark (-1 for none); count: the number of items.
NavigationTarget NavigationTargetFor(NavigationKey key, int mark, int count);
