#pragma once

#include "engine/engine_context.h"

// The stop sequence of a run: asks every waiting loop to end, stops the
// encoder and deletes what the current item's phase leaves half-written. It
// runs nested inside a wait of the run, so it never waits itself.
void StopConversion(const EngineContext& context);
