#pragma once

#include "engine/engine_context.h"

class CEncoderRunner;

// Puts one chunk of the running encoder's output into the item being
// converted and repaints its Progress cell, whether or not the chunk held any
// progress. Stops the runner's encoder once an exported item's range is encoded.
void ParseEncoderOutput(const EngineContext& context, const char* chunk, CEncoderRunner& runner);

// Puts a phase code into the item being converted and repaints its Progress cell.
void SetItemStatus(const EngineContext& context, int status);
