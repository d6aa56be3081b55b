#pragma once

#include "engine/output_settings.h"
#include "tasks/task_list.h"

// What the main window hands the conversion engine: its task list, the index
// of the item being converted and the settings panel's selections. The engine
// reads and writes items only through the task list's copy and replace.
struct EngineContext {
    TaskList& tasks;
    const int& currentItemIndex;
    const IOutputSettings& settings;
};
