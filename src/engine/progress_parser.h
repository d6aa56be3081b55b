#pragma once

#include "engine/engine_context.h"

// Puts one chunk of the running encoder's output into the item being
// converted and repaints its Progress cell, whether or not the chunk held any
// progress. Stops the item's encoder once an exported item's range is encoded.
void ParseEncoderOutput(const EngineContext& context, const char* chunk);

// Puts a phase code into the item being converted and repaints its Progress cell.
void SetItemStatus(const EngineContext& context, int status);
