#pragma once

#include "engine/output_settings.h"
#include "tasks/task_list.h"

// Repaints what the engine changed in an item: the list control implements it.
class IItemView {
public:
    virtual ~IItemView() = default;
    // Invalidates the Progress cell of the item's row without erasing it.
    virtual void RepaintProgressCell(int itemIndex) = 0;
    // The same for the Output cell, once the item's output has its name.
    virtual void RepaintOutputCell(int itemIndex) = 0;
};

// The run options the main window owns.
class IRunOptions {
public:
    virtual ~IRunOptions() = default;
    // The "Automatically Shut Down the computer when converting finished" box.
    virtual bool ShutDownWhenFinished() const = 0;
};

// What the main window hands the conversion engine: its task list, the index
// of the item being converted, the settings panel's selections and the views
// to repaint. The engine reads and writes items only through the task list's
// copy and replace, and never keeps a copy across a wait.
struct EngineContext {
    TaskList& tasks;
    const int& currentItemIndex;
    const IOutputSettings& settings;
    IItemView& view;
    const IRunOptions& options;
};
