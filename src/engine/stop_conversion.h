#pragma once

#include "engine/engine_context.h"

// The stop sequence of a run: asks every waiting loop to end, stops the
// encoder and deletes the files the current item's passes have created (its
// own, itemFiles) and its export. Once the item's passes have all run it only
// asks the run to end. It runs nested inside a wait of the run, so it never
// waits itself: files still held open are deleted when the passes have ended.
void StopConversion(const EngineContext& context);
