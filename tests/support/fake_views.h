#pragma once

#include <vector>

#include "engine/encoder_runner.h"
#include "engine/engine_context.h"

// The list control as the engine sees it.
struct FakeItemView : IItemView {
    std::vector<int> repainted;
    void RepaintProgressCell(int itemIndex) override { repainted.push_back(itemIndex); }
    void RepaintOutputCell(int) override {}
};

// What the run owns beside the engine's context: its Stop flag, its encoder
// runner, the item's state and the names held, for tests that call the engine
// directly.
struct RunParts {
    bool cancelRequested = false;
    CEncoderRunner runner{cancelRequested};
    ItemState item;
    std::vector<HeldName> heldNames;
};
