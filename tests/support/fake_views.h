#pragma once

#include <vector>

#include "engine/engine_context.h"

// The list control and the main window as the engine sees them.
struct FakeItemView : IItemView {
    std::vector<int> repainted;
    void RepaintProgressCell(int itemIndex) override { repainted.push_back(itemIndex); }
    void RepaintOutputCell(int) override {}
};

struct FakeRunOptions : IRunOptions {
    bool shutDown = false;
    bool ShutDownWhenFinished() const override { return shutDown; }
};
