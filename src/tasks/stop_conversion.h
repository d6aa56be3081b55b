#pragma once

#include "engine/engine_context.h"

// The stop sequence of a run: asks every waiting loop to end, stops the
// encoder and deletes what the current item's phase leaves half-written, by
// the family the item started with. Once the item's passes have all run it
// only asks the run to end. It runs nested inside a wait of the run, so it
// never waits itself.
void StopConversion(const EngineContext& context);
