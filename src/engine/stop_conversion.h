#pragma once

#include "engine/engine_context.h"

// The engine's half of the stop sequence, once the run has set its Stop flag:
// stops the item's encoder and deletes the files its passes have created (its
// own) and its export. Once the item's passes have all run it does nothing:
// what they wrote is finished, not half-written. It runs nested inside a wait
// of the run, so it never waits itself: files still held open are deleted
// when the passes have ended.
void StopItem(const EngineContext& context);
