#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/output_settings.h"
#include "tasks/task_list.h"

class CEncoderRunner;

// Repaints what the engine changed in an item: the list control implements it.
class IItemView {
public:
    virtual ~IItemView() = default;
    // Invalidates the Progress cell of the item's row without erasing it.
    virtual void RepaintProgressCell(int itemIndex) = 0;
    // The same for the Output cell, once the item's output has its name.
    virtual void RepaintOutputCell(int itemIndex) = 0;
};

// The panel's choices an item is converted with. They are taken once when the
// item starts, so that a click on the panel between two passes can mix
// neither two families' names and files in its passes nor in its Stop clean-up.
struct ItemChoice {
    int deviceTab = -1;
    int profileEntry = -1;
    int threeGpType = -1;
};

// One item's conversion as its passes, its progress and its Stop share it.
// The run keeps one for the item it converts and starts it afresh for each.
struct ItemState {
    ItemChoice choice;
    // Tick count in milliseconds when the item (or, after an export, its
    // encoding) started: the speed shown is measured from it.
    std::uint32_t itemStartTick = 0;
    // The files its passes have created, with those of the pass about to
    // create them: the item's own, what a Stop deletes.
    std::vector<std::string> files;
    // Set once its passes have all run: from then on a Stop must not delete
    // what they wrote.
    bool passesEnded = false;
};

// A name a running item's passes write under. Items converted side by side
// choose their names and hold them in one step, before anything waits, so
// that no two of them choose one name for files none has written yet.
struct HeldName {
    int itemIndex;
    std::string path;
};

// What the run hands the conversion engine for one item: its task list, the
// item's index, the settings panel's selections, the view to repaint, its
// Stop flag, the item's encoder runner and state, and the names the running
// items hold. The engine reads and writes items only through the task list's
// copy and replace, and never keeps a copy across a wait.
struct EngineContext {
    TaskList& tasks;
    const int& currentItemIndex;
    const IOutputSettings& settings;
    IItemView& view;
    const bool& cancelRequested;
    CEncoderRunner& runner;
    ItemState& item;
    std::vector<HeldName>& heldNames;
};
