#pragma once

#include "engine/engine_context.h"

// The device families' conversion routines. Each converts the item at the
// context's current index with the profile chosen in the panel, honours Stop,
// and leaves cancelRequested set for the driver when Stop ended it.
void ConvertIpod(const EngineContext& context);
void ConvertPsp(const EngineContext& context);
void Convert3gp(const EngineContext& context);
void ConvertSinglePass(const EngineContext& context);  // Xbox and PPC
void ConvertPmp(const EngineContext& context);
